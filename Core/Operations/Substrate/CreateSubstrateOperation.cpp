#include "Core/Operations/Substrate/CreateSubstrateOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"

namespace Core {
namespace Operations {

CreateSubstrateOperation::CreateSubstrateOperation(OperationContext *context)
    : ObjectOperation(context, "Create Substrate", CreateSubstrateId)
{
}

void CreateSubstrateOperation::setShape(const SubstrateShape &shape)
{
    m_shape = shape;
    m_state = Ready;
}

void CreateSubstrateOperation::execute()
{
    switch (m_state) {
    case WaitingForOptions:
        notifyObserver();
        break;
    case Ready:
        m_state = Done;
        end();
        break;
    case Done:
        break;
    }
}

void CreateSubstrateOperation::cancel()
{
    cancelSilently();
}

void CreateSubstrateOperation::end()
{
    if (m_state != Done)
        return;
    std::string problem;
    m_volume = m_shape.build(&problem);
    if (!m_volume) {
        postMessage(problem);
        cancelSilently();
        return;
    }
    context()->document().addObject(m_volume);
    postMessage("substrate created successfully.");
    context()->endOperation();
}

int CreateSubstrateOperation::undo()
{
    context()->document().removeObject(m_volume);
    return Undone;
}

int CreateSubstrateOperation::redo()
{
    context()->document().addObject(m_volume);
    return Redone;
}

} // namespace Operations
} // namespace Core
