#include "Core/Operations/Operation.h"

#include "Core/Operations/ConsoleInput.h"
#include "Core/Operations/OperationContext.h"

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

void Operation::postMessage(const std::string &sentence) const
{
    if (m_context)
        m_context->consoleInput().postMessage(m_title + ": " + sentence);
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
