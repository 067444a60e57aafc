#pragma once

#include <boost/shared_ptr.hpp>

#include <deque>
#include <string>
#include <vector>

namespace Util {
class IObserver;
}

namespace Core {
namespace Operations {

class ObjectOperation;
class OperationContext;

// The undo and redo stacks of finished undoable operations. Operations in
// the history stay alive (and with them the volumes they refer to) and are
// only ever called with undo() or redo() again.
//
// The history also knows where in it the document matches its file (the
// saved state): undo and redo move away from that point and back to it; a
// push after undoing past it drops it for good.
class OperationHistory
{
public:
    using OperationPtr = boost::shared_ptr<ObjectOperation>;
    using ObserverPtr = boost::shared_ptr<Util::IObserver>;

    // `context` supplies the current operation that undo and redo cancel
    // first; it may be null for a history on its own.
    explicit OperationHistory(OperationContext *context = nullptr);
    ~OperationHistory();
    OperationHistory(const OperationHistory &) = delete;
    OperationHistory &operator=(const OperationHistory &) = delete;

    // Pushes onto the undo stack and empties the redo stack.
    void push(const OperationPtr &op);
    // False, and nothing happens, when the stack is empty or a step runs.
    bool undo();
    bool redo();
    // Title of the top operation, or empty.
    std::string undoTitle() const;
    std::string redoTitle() const;
    void clear();
    // The document changed in a way no operation of the history holds (a
    // step whose cells could not be recorded): undoing or redoing past that
    // change would silently throw it away, so both stacks go, and no undo
    // leads back to the saved state any more.
    void dropForUnrecordedChange();

    // The document now matches its file (just saved, opened or new).
    void markSaved();
    // The document matches no file (recovered after a crash).
    void markUnsaved();
    bool isAtSavedState() const;

    std::size_t undoCount() const { return m_undoStack.size(); }
    std::size_t redoCount() const { return m_redoStack.size(); }
    OperationPtr undoTop() const;
    OperationPtr redoTop() const;

    void addUndoObserver(const ObserverPtr &observer);
    void addRedoObserver(const ObserverPtr &observer);
    // Told after every change that may move the document to or from its
    // saved state (after the undo and redo observers).
    void addSavedStateObserver(const ObserverPtr &observer);

private:
    // Empties both stacks; the saved state is then at `savedDepth`.
    void dropStacks(long savedDepth);
    void cancelCurrentOperation();
    void notifyUndoObservers();
    void notifyRedoObservers();
    void notifySavedStateObservers();

    OperationContext *m_context;
    std::deque<OperationPtr> m_undoStack;
    std::deque<OperationPtr> m_redoStack;
    std::vector<ObserverPtr> m_undoObservers;
    std::vector<ObserverPtr> m_redoObservers;
    std::vector<ObserverPtr> m_savedStateObservers;
    // The undo depth at which the document matches its file, or
    // NoSavedState when no undo or redo can lead back there.
    static constexpr long NoSavedState = -1;
    long m_savedDepth = 0;
};

} // namespace Operations
} // namespace Core
