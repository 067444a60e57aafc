#pragma once

#include "Core/Operations/Operation.h"
#include "Core/Operations/ProcessDescriptor.h"
#include "Core/Operations/Undo/TotalVolumeUndoRedoHelper.h"

#include <boost/shared_ptr.hpp>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

class CellSnapshot;
class Interrupter;

// What the process operations share: they take the picked cell volume (or
// the document's only one), wait for their options (the observer's dialog),
// count the inputs they received, run between two undo records, and restore
// those records on undo and redo. Every step that changes cells goes through
// here, so the history is the one record of how a volume's cells came about.
class ProcessOperation : public ObjectOperation
{
public:
    // Takes the first picked cell volume, or the document's only one, or
    // asks for one.
    void execute() override;
    // "<title>: Operation canceled."
    void cancel() override;
    int undo() override;
    int redo() override;

    // What the program knows of this kind of step.
    const ProcessDescriptor &descriptor() const { return m_descriptor; }
    boost::shared_ptr<Model::Automaton::TotalVolume> volume() const { return m_volume; }
    // Whether the volume was picked rather than being the document's only one.
    bool targetFromSelection() const { return m_fromSelection; }
    int inputCount() const { return m_inputs; }
    // The volume's height in cells, 0 before there is one.
    int volumeHeight() const;
    const TotalVolumeUndoRedoHelper &states() const { return m_states; }

protected:
    // The title, the operation id and the name of the undo records come
    // from the descriptor.
    ProcessOperation(OperationContext *context, const ProcessDescriptor &descriptor, int instance);

    void addInput() { ++m_inputs; }
    // What the console says once the volume is taken, after the title.
    virtual const char *volumeSelectedSentence() const { return "Cell volume selected."; }
    // Runs the process on the volume through the context's step runner and
    // does the bookkeeping after it: the surfaces, the process records, the
    // console lines (with the step's remarks, see StepRemarks) and the
    // history. A step whose cells could not be saved says that it cannot be
    // undone and stays out of the history, which it empties: undoing the
    // steps before it would silently throw its result away. A canceled step
    // puts the cells back as they were before it and leaves the history
    // alone.
    void runProcess(const ProcessRun &process);
    // Runs the process once there is a volume and every option arrived;
    // cancels otherwise.
    void runWhenComplete(bool optionsComplete, const ProcessRun &process);

private:
    // After a canceled run: the cells as they were, the canceled line, and
    // out of the way.
    void undoCanceledRun(Model::Automaton::TotalVolume &volume, const CellSnapshot &before);

    const ProcessDescriptor &m_descriptor;
    boost::shared_ptr<Model::Automaton::TotalVolume> m_volume;
    bool m_fromSelection = false;
    int m_inputs = 0;
    TotalVolumeUndoRedoHelper m_states;
};

} // namespace Operations
} // namespace Core
