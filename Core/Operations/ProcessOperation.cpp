#include "Core/Operations/ProcessOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/CellVolumes.h"
#include "Util/DebugLog.h"

#include <QDebug>
#include <QElapsedTimer>

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
    OperationContext &ctx = *context();
    m_volume = Model::Automaton::firstCellVolume(ctx.pickInput().selectedObjects());
    m_fromSelection = bool(m_volume);
    // Nothing picked: a document with one volume leaves no doubt which is meant.
    if (!m_volume)
        m_volume = Model::Automaton::onlyCellVolume(ctx.document().allObjects());
    if (!m_volume) {
        postMessage("Select a cell volume and press Enter/Return.");
        ctx.consoleInput().requestEnter(this);
        ctx.selectionManager().setMode(true);
        return;
    }
    ctx.selectionManager().clear();
    ctx.selectionManager().setMode(false);
    ctx.notifyUpdate();
    postMessage("Cell volume selected.");
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

void ProcessOperation::runProcess(const ProcessRun &process)
{
    OperationContext &ctx = *context();
    Model::Automaton::TotalVolume &volume = *m_volume;
    bool undoable = m_states.saveUndoState(volume);
    process.run(volume, nullptr);
    undoable = undoable && m_states.saveRedoState(volume);
    QElapsedTimer timer;
    timer.start();
    volume.markCellsChanged();
    qCDebug(tessivalLog) << "Time to build rendered structrure " << timer.elapsed();
    ctx.processRecords().noteRun(volume.id(), operationId(), process.effect);
    ctx.notifyUpdate();
    postMessage("Operation finished.");
    ctx.consoleInput().reset();
    if (undoable) {
        ctx.endOperation();
        return;
    }
    OperationHistory &history = ctx.history();
    if (history.undoCount() + history.redoCount() == 0) {
        postMessage("This step cannot be undone: its cell states could not be saved to the undo files.");
    } else {
        history.clear();
        postMessage("This step cannot be undone, and the undo history has been cleared: its cell states could "
                    "not be saved to the undo files.");
    }
    ctx.abandonOperation();
}

} // namespace Operations
} // namespace Core
