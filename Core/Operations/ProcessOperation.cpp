#include "Core/Operations/ProcessOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/StepRemarks.h"
#include "Core/Operations/Undo/CellSnapshot.h"
#include "Model/Automaton/TotalVolume.h"

#include <string>
#include <vector>

namespace Core {
namespace Operations {

ProcessOperation::ProcessOperation(OperationContext *context, const ProcessDescriptor &descriptor, int instance)
    : ObjectOperation(context, descriptor.title(), descriptor.operationId())
    , m_descriptor(descriptor)
    , m_states(descriptor.stateKey(), instance, context)
{
}

void ProcessOperation::execute()
{
    if (m_inputs != 0)
        return;
    m_volume = takeTargetVolume({volumeSelectedSentence(), "Select a cell volume and press Enter/Return."}, true,
                                &m_fromSelection);
    if (!m_volume)
        return;
    ++m_inputs;
    if (observer()) {
        ++m_inputs;
        notifyObserver();
    }
}

void ProcessOperation::cancel()
{
    cancelCanceled();
}

// A step whose cells cannot be restored stays where it is in the history:
// moving it would claim a change that did not happen.
int ProcessOperation::undo()
{
    if (m_volume && m_states.loadUndoState(*m_volume))
        return Undone;
    postMessage("The cells could not be restored: the undo file holds no whole record of this step.");
    return NothingUndone;
}

int ProcessOperation::redo()
{
    if (m_volume && m_states.loadRedoState(*m_volume))
        return Redone;
    postMessage("The cells could not be restored: the redo file holds no whole record of this step.");
    return NothingRedone;
}

int ProcessOperation::volumeHeight() const
{
    return m_volume ? int(m_volume->sizeZ()) : 0;
}

void ProcessOperation::runWhenComplete(bool optionsComplete, const ProcessRun &process)
{
    if (!m_volume || !optionsComplete) {
        cancel();
        return;
    }
    runProcess(process);
}

void ProcessOperation::runProcess(const ProcessRun &process)
{
    OperationContext &ctx = *context();
    Model::Automaton::TotalVolume &volume = *m_volume;
    bool undoable = m_states.saveUndoState(volume);
    // What a cancel puts back, and what tells a step that changed nothing.
    const CellSnapshot before(volume);
    const auto run = [&](Interrupter *interrupter) { process.run(volume, interrupter); };
    if (ctx.runStep(title(), run) == StepRunner::Canceled) {
        undoCanceledRun(volume, before);
        return;
    }
    undoable = undoable && m_states.saveRedoState(volume);
    volume.markCellsChanged();
    ctx.processRecords().noteRun(volume.id(), operationId(), process.effectOn(volume));
    ctx.notifyUpdate();
    postMessage("Operation finished.");
    const std::vector<std::string> remarks = StepRemarks::after(volume, before, process);
    for (const std::string &remark : remarks)
        postMessage(remark);
    ctx.consoleInput().reset();
    if (undoable) {
        ctx.noteRecordedChange();
        ctx.endOperation();
        return;
    }
    // Nothing changed, so nothing is lost: the history stays as it was.
    if (!remarks.empty() && remarks.front() == StepRemarks::NoCellChanged) {
        ctx.abandonOperation();
        return;
    }
    OperationHistory &history = ctx.history();
    if (history.undoCount() + history.redoCount() == 0)
        postMessage("This step cannot be undone: its cell states could not be saved to the undo files.");
    else
        postMessage("This step cannot be undone, and the undo history has been cleared: its cell states could "
                    "not be saved to the undo files.");
    ctx.keepUnrecordedChange();
    ctx.abandonOperation();
}

void ProcessOperation::undoCanceledRun(Model::Automaton::TotalVolume &volume, const CellSnapshot &before)
{
    OperationContext &ctx = *context();
    before.restore(volume);
    volume.markCellsChanged();
    // A stopped wet etch has removed atoms of cells that are silicon again,
    // and other steps may have changed silicon: the lattice is rebuilt.
    ctx.processRecords().setSiLatticeStale(volume.id(), true);
    cancelCanceled();
}

} // namespace Operations
} // namespace Core
