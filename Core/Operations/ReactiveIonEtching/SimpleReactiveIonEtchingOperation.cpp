#include "Core/Operations/ReactiveIonEtching/SimpleReactiveIonEtchingOperation.h"

#include "Core/Operations/ReactiveIonEtching/ReactiveIonEtchingProcesses.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

SimpleReactiveIonEtchingOperation::SimpleReactiveIonEtchingOperation(OperationContext *context)
    : ProcessOperation(context, simpleRieDescriptor(), instances.fetch_add(1))
{
}

void SimpleReactiveIonEtchingOperation::end()
{
    runWhenComplete(m_depthSet && m_materialSet, simpleRieDescriptor().bind({m_depth, m_material, m_directions}));
}

} // namespace Operations
} // namespace Core
