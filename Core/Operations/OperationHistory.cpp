#include "Core/Operations/OperationHistory.h"

#include "Core/Operations/Operation.h"
#include "Core/Operations/OperationContext.h"
#include "Util/ObserverList.h"

namespace Core {
namespace Operations {

OperationHistory::OperationHistory(OperationContext *context) : m_context(context) {}

OperationHistory::~OperationHistory() = default;

void OperationHistory::push(const OperationPtr &op)
{
    if (!op)
        return;
    // A saved state among the redone operations goes with them.
    if (m_savedDepth > long(m_undoStack.size()))
        m_savedDepth = NoSavedState;
    m_undoStack.push_back(op);
    m_redoStack.clear();
    notifyUndoObservers();
    notifyRedoObservers();
    notifySavedStateObservers();
}

bool OperationHistory::undo()
{
    // A step that is running owns its volume's cells until it ends.
    if (m_undoStack.empty() || (m_context && m_context->isRunningStep()))
        return false;
    const OperationPtr op = m_undoStack.back();
    m_undoStack.pop_back();
    cancelCurrentOperation();
    const int result = op->undo();
    if (result == ObjectOperation::NothingUndone) {
        m_undoStack.push_back(op);
    } else if (result == ObjectOperation::Undone) {
        m_redoStack.push_back(op);
        notifyRedoObservers();
    } else {
        // Dropped half way: the document is in no state the history knows.
        m_savedDepth = NoSavedState;
    }
    notifyUndoObservers();
    notifySavedStateObservers();
    return true;
}

bool OperationHistory::redo()
{
    if (m_redoStack.empty() || (m_context && m_context->isRunningStep()))
        return false;
    const OperationPtr op = m_redoStack.back();
    m_redoStack.pop_back();
    cancelCurrentOperation();
    if (op->redo() == ObjectOperation::NothingRedone) {
        m_redoStack.push_back(op);
        notifyRedoObservers();
        return true;
    }
    m_undoStack.push_back(op);
    notifyUndoObservers();
    notifyRedoObservers();
    notifySavedStateObservers();
    return true;
}

std::string OperationHistory::undoTitle() const
{
    return m_undoStack.empty() ? std::string() : m_undoStack.back()->title();
}

std::string OperationHistory::redoTitle() const
{
    return m_redoStack.empty() ? std::string() : m_redoStack.back()->title();
}

void OperationHistory::clear()
{
    // The document itself does not change: it stays saved or unsaved.
    dropStacks(isAtSavedState() ? 0 : NoSavedState);
}

void OperationHistory::dropForUnrecordedChange()
{
    dropStacks(NoSavedState);
}

void OperationHistory::dropStacks(long savedDepth)
{
    m_savedDepth = savedDepth;
    m_undoStack.clear();
    m_redoStack.clear();
    notifyRedoObservers();
    notifyUndoObservers();
    notifySavedStateObservers();
}

void OperationHistory::markSaved()
{
    m_savedDepth = long(m_undoStack.size());
    notifySavedStateObservers();
}

void OperationHistory::markUnsaved()
{
    m_savedDepth = NoSavedState;
    notifySavedStateObservers();
}

bool OperationHistory::isAtSavedState() const
{
    return m_savedDepth == long(m_undoStack.size());
}

OperationHistory::OperationPtr OperationHistory::undoTop() const
{
    return m_undoStack.empty() ? OperationPtr() : m_undoStack.back();
}

OperationHistory::OperationPtr OperationHistory::redoTop() const
{
    return m_redoStack.empty() ? OperationPtr() : m_redoStack.back();
}

void OperationHistory::addUndoObserver(const ObserverPtr &observer)
{
    if (observer)
        m_undoObservers.push_back(observer);
}

void OperationHistory::addRedoObserver(const ObserverPtr &observer)
{
    if (observer)
        m_redoObservers.push_back(observer);
}

void OperationHistory::addSavedStateObserver(const ObserverPtr &observer)
{
    if (observer)
        m_savedStateObservers.push_back(observer);
}

void OperationHistory::cancelCurrentOperation()
{
    if (!m_context)
        return;
    const boost::shared_ptr<Operation> current = m_context->currentOperation();
    if (current)
        current->cancel();
}

void OperationHistory::notifyUndoObservers() { Util::notifyAll(m_undoObservers); }
void OperationHistory::notifyRedoObservers() { Util::notifyAll(m_redoObservers); }
void OperationHistory::notifySavedStateObservers() { Util::notifyAll(m_savedStateObservers); }

} // namespace Operations
} // namespace Core
