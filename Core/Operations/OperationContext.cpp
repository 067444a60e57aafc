#include "Core/Operations/OperationContext.h"

#include "Core/Operations/Documents/DocumentRecovery.h"
#include "Core/Operations/Documents/IDocumentDialogs.h"
#include "Core/Operations/IOperationFactory.h"
#include "Core/Operations/Operation.h"
#include "Core/Operations/Undo/StateFolder.h"
#include "Model/Materials/MaterialFactory.h"
#include "Util/IObserver.h"
#include "Util/ObserverList.h"

#include <boost/make_shared.hpp>

namespace Core {
namespace Operations {

OperationContext::OperationContext()
    : m_selectionManager(m_document, m_pickInput)
    , m_archivers(Model::Persistence::DocumentArchiver::standardRegistry())
    , m_history(this)
    , m_stepRunner(boost::make_shared<StepRunner>())
{
}

OperationContext::~OperationContext()
{
    m_currentOperation.reset();
}

void OperationContext::startOperation(unsigned id)
{
    if (m_runningStep)
        return;
    // Local copies keep each operation alive while it runs, even when it
    // ends itself and leaves the current slot.
    if (const boost::shared_ptr<Operation> previous = m_currentOperation)
        previous->cancel();
    m_currentOperation = m_factory ? m_factory->createOperation(id) : boost::shared_ptr<Operation>();
    if (const boost::shared_ptr<Operation> next = m_currentOperation)
        next->execute();
}

void OperationContext::endOperation()
{
    leaveCurrentOperation(true);
}

void OperationContext::abandonOperation()
{
    leaveCurrentOperation(false);
}

void OperationContext::leaveCurrentOperation(bool recordInHistory)
{
    const boost::shared_ptr<Operation> finished = m_currentOperation;
    if (recordInHistory) {
        const auto undoable = boost::dynamic_pointer_cast<ObjectOperation>(finished);
        if (undoable)
            m_history.push(undoable);
    }
    m_currentOperation.reset();
    m_selectionManager.clear();
    notifyUpdate();
}

void OperationContext::notifyUpdate()
{
    Util::notifyAll(m_updateObservers);
}

void OperationContext::cancelCurrentOperation()
{
    if (m_runningStep)
        return;
    if (const boost::shared_ptr<Operation> current = m_currentOperation)
        current->cancel();
    m_selectionManager.clear();
    notifyUpdate();
}

void OperationContext::newDocument()
{
    if (m_runningStep)
        return;
    if (const boost::shared_ptr<Operation> current = m_currentOperation)
        current->cancel();
    m_selectionManager.clear();
    m_history.clear();
    m_consoleInput.reset();
    m_pickInput.clearRequest();
    m_document.reset();
    m_processRecords.clear();
    m_history.markSaved();
    notifyUpdate();
}

void OperationContext::keepUnrecordedChange()
{
    m_history.dropForUnrecordedChange();
    if (m_undoOff)
        return;
    m_undoOff = true;
    if (m_documentDialogs)
        m_documentDialogs->showWarning(
            QStringLiteral("Undo is off"),
            QStringLiteral("The undo files cannot be written in %1 (the disk may be full). Undo is off until they "
                           "can be written again: the steps go on, but the last one and those before it cannot be "
                           "undone. The document keeps its changes and stays unsaved until you save it.")
                .arg(StateFolder::defaultRoot()));
}

StepRunner::Outcome OperationContext::runStep(const std::string &title, const StepRunner::Work &work)
{
    // Whatever the runner does, the flag goes down with it: the window must
    // not stay locked after a failed step.
    struct Running
    {
        bool &flag;
        explicit Running(bool &f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(m_runningStep);
    const boost::shared_ptr<StepRunner> runner = m_stepRunner;
    return runner->run(title, work);
}

void OperationContext::setStepRunner(const boost::shared_ptr<StepRunner> &runner)
{
    m_stepRunner = runner ? runner : boost::make_shared<StepRunner>();
}

void OperationContext::addUpdateObserver(const ObserverPtr &observer)
{
    if (observer)
        m_updateObservers.push_back(observer);
}

void OperationContext::setOperationFactory(const boost::shared_ptr<IOperationFactory> &factory)
{
    m_factory = factory;
}

namespace {

// Told of every step, undo, redo and save through the history.
class RecoveryCopyObserver : public Util::IObserver
{
public:
    explicit RecoveryCopyObserver(OperationContext &context) : m_context(context) {}
    void notify() override { m_context.keepRecoveryCopy(); }

private:
    OperationContext &m_context;
};

} // namespace

void OperationContext::setRecovery(const boost::shared_ptr<DocumentRecovery> &recovery)
{
    if (!m_recovery)
        m_history.addSavedStateObserver(boost::make_shared<RecoveryCopyObserver>(*this));
    m_recovery = recovery;
}

bool OperationContext::keepRecoveryCopy(bool unrecorded)
{
    if (!m_recovery)
        return true;
    // Where the document matches its file there is nothing to recover.
    if (!unrecorded && m_history.isAtSavedState()) {
        m_recovery->discard();
        return true;
    }
    return m_recovery->save(m_document, Model::Materials::MaterialFactory::getInstance()->getMaterials());
}

} // namespace Operations
} // namespace Core
