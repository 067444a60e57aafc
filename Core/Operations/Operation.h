#pragma once

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>

#include <string>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Util {
class IObserver;
}

namespace Core {
namespace Operations {

class OperationContext;

// One user action (creating a substrate, a process step, moving objects...)
// as a small state machine. The presenter starts it and calls execute(); it
// then waits for what it needs (a picked volume, console input, its options
// dialog) and is called again when that arrives. end() does the work and
// leaves through the context's endOperation() or abandonOperation().
//
// Operations are owned through boost::shared_ptr. Whoever calls into one
// through a plain pointer (the console input) keeps it alive for the call,
// since an operation may end, and be released by the context, from inside
// its own methods.
class Operation : public boost::enable_shared_from_this<Operation>
{
public:
    Operation(OperationContext *context, const std::string &title, int operationId);
    Operation(const Operation &) = delete;
    Operation &operator=(const Operation &) = delete;
    virtual ~Operation();

    virtual void execute() = 0;
    virtual void cancel() = 0;
    virtual void end() = 0;

    const std::string &title() const { return m_title; }
    int operationId() const { return m_operationId; }
    OperationContext *context() const { return m_context; }

    // The observer that shows the operation's options dialog (or, for some
    // operations, another window); set by the operation factory.
    virtual void setObserver(const boost::shared_ptr<Util::IObserver> &observer);
    virtual boost::shared_ptr<Util::IObserver> observer() const;

protected:
    // Notifies the observer, when there is one.
    void notifyObserver() const;

    // Writes "<title>: <sentence>" as one console line.
    void postMessage(const std::string &sentence) const;

    // The cell volume an operation works on: the first picked one or, with
    // `orOnlyVolume`, the document's only one. Found: the selection is
    // cleared and its mode switched off, the views refresh and
    // "<title>: <selected>" is written. Otherwise "<title>: <prompt>", and
    // the next Enter/Return (with selection mode on) calls execute() again.
    struct TargetTexts
    {
        const char *selected;
        const char *prompt;
    };
    boost::shared_ptr<Model::Automaton::TotalVolume> takeTargetVolume(const TargetTexts &texts, bool orOnlyVolume,
                                                                      bool *fromSelection = nullptr);

    // The shared ways of giving up: say so (or not), forget any pending
    // console request and abandon the operation.
    void cancelCanceled();  // "<title>: Operation canceled."
    void cancelExclaimed(); // "<title>: Operation Canceled!"
    void cancelSilently();

private:
    void resetInputAndAbandon();

    std::string m_title;
    int m_operationId;
    OperationContext *m_context;
    boost::shared_ptr<Util::IObserver> m_observer;
};

// An operation whose result can be undone and redone from the history.
class ObjectOperation : public Operation
{
public:
    using Operation::Operation;

    enum UndoResult { NothingUndone = 0, Undone = 1 };
    enum RedoResult { NothingRedone = 0, Redone = 1 };

    // Undone moves the operation to the redo stack; NothingUndone keeps it
    // on the undo stack. Likewise Redone moves it back, NothingRedone keeps
    // it on the redo stack.
    virtual int undo() = 0;
    virtual int redo() = 0;
};

} // namespace Operations
} // namespace Core
