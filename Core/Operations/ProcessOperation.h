#pragma once

#include "Core/Operations/Operation.h"
#include "Core/Operations/TotalVolumeUndoRedoHelper.h"

#include <boost/shared_ptr.hpp>

#include <functional>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

// What the undoable process operations share: they wait for a picked cell
// volume, then for their options (the observer's dialog), count the inputs
// they received, run their worker between two undo records, and restore
// those records on undo and redo.
class ProcessOperation : public ObjectOperation
{
public:
    // Takes the first picked cell volume, or asks for one.
    void execute() override;
    // "<title>: Operation canceled."
    void cancel() override;
    int undo() override;
    int redo() override;

    boost::shared_ptr<Model::Automaton::TotalVolume> volume() const { return m_volume; }
    int inputCount() const { return m_inputs; }
    const TotalVolumeUndoRedoHelper &states() const { return m_states; }

protected:
    ProcessOperation(OperationContext *context, const std::string &title, int id, const std::string &stateKey,
                     int instance);

    void addInput() { ++m_inputs; }
    // Runs the process on the volume and does the bookkeeping after it: the
    // surfaces, the process records, the console line and the history. An
    // operation whose cells could not be saved says that it cannot be undone
    // and stays out of the history.
    void runProcess(const std::function<void(Model::Automaton::TotalVolume &)> &process, bool changesSilicon);

private:
    boost::shared_ptr<Model::Automaton::TotalVolume> m_volume;
    int m_inputs = 0;
    TotalVolumeUndoRedoHelper m_states;
};

} // namespace Operations
} // namespace Core
