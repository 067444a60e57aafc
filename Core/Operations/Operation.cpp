#include "Core/Operations/Operation.h"

#include "Core/Operations/ConsoleInput.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/CellVolumes.h"
#include "Util/IObserver.h"

namespace Core {
namespace Operations {

Operation::Operation(OperationContext *context, const std::string &title, int operationId)
    : m_title(title)
    , m_operationId(operationId)
    , m_context(context)
{
}

Operation::~Operation()
{
    // A pending console request must never outlive its operation.
    if (m_context)
        m_context->consoleInput().forget(this);
}

void Operation::setObserver(const boost::shared_ptr<Util::IObserver> &observer)
{
    m_observer = observer;
}

boost::shared_ptr<Util::IObserver> Operation::observer() const
{
    return m_observer;
}

void Operation::notifyObserver() const
{
    // The observer may run a modal dialog that ends this operation; hold
    // both for the call.
    const auto self = weak_from_this().lock();
    const boost::shared_ptr<Util::IObserver> current = observer();
    if (current)
        current->notify();
}

void Operation::postMessage(const std::string &sentence) const
{
    if (m_context)
        m_context->consoleInput().postMessage(m_title + ": " + sentence);
}

boost::shared_ptr<Model::Automaton::TotalVolume> Operation::takeTargetVolume(const TargetTexts &texts,
                                                                            bool orOnlyVolume, bool *fromSelection)
{
    OperationContext &ctx = *m_context;
    auto volume = Model::Automaton::firstCellVolume(ctx.pickInput().selectedObjects());
    if (fromSelection)
        *fromSelection = bool(volume);
    // Nothing picked: a document with one volume leaves no doubt which is meant.
    if (!volume && orOnlyVolume)
        volume = Model::Automaton::onlyCellVolume(ctx.document().allObjects());
    if (!volume) {
        postMessage(texts.prompt);
        ctx.consoleInput().requestEnter(this);
        ctx.selectionManager().setMode(true);
        return volume;
    }
    ctx.selectionManager().clear();
    ctx.selectionManager().setMode(false);
    ctx.notifyUpdate();
    postMessage(texts.selected);
    return volume;
}

void Operation::cancelCanceled()
{
    postMessage("Operation canceled.");
    resetInputAndAbandon();
}

void Operation::cancelExclaimed()
{
    postMessage("Operation Canceled!");
    resetInputAndAbandon();
}

void Operation::cancelSilently()
{
    resetInputAndAbandon();
}

void Operation::resetInputAndAbandon()
{
    if (!m_context)
        return;
    m_context->consoleInput().reset();
    m_context->abandonOperation();
}

} // namespace Operations
} // namespace Core
