#pragma once

#include "Core/Operations/Operation.h"
#include "Core/Operations/Undo/TotalVolumeUndoRedoHelper.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Model {
class Object;
}

namespace Core {
namespace Operations {

// "Batch Run" in the history: one whole run of a process list. Undo puts
// back the cells of the volume the run started on and takes the volumes the
// run created out of the document; redo brings the run's result back. It
// never becomes the current operation: the batch dialog records the run
// around it and pushes it onto the history.
class BatchRunOperation : public ObjectOperation
{
public:
    explicit BatchRunOperation(OperationContext *context);

    // Before the run: the document's objects and the cells of the volume
    // the run starts on (none when it starts without one). False when the
    // cells could not be saved.
    bool recordBefore(const boost::shared_ptr<Model::Automaton::TotalVolume> &start);
    // After the run: the objects it added and the cells it left in the
    // volume it started on. False when the cells could not be saved.
    bool recordAfter();

    const std::vector<boost::shared_ptr<Model::Object>> &addedObjects() const { return m_added; }

    void execute() override {}
    void cancel() override {}
    void end() override {}
    int undo() override;
    int redo() override;

private:
    boost::shared_ptr<Model::Automaton::TotalVolume> m_start;
    std::vector<boost::shared_ptr<Model::Object>> m_before;
    std::vector<boost::shared_ptr<Model::Object>> m_added;
    TotalVolumeUndoRedoHelper m_states;
};

} // namespace Operations
} // namespace Core
