#include "Core/Operations/Planarization/SpinCoatingOperation.h"

#include "Core/Operations/Planarization/PlanarizationProcesses.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

SpinCoatingOperation::SpinCoatingOperation(OperationContext *context)
    : ProcessOperation(context, spinCoatingDescriptor(), instances.fetch_add(1))
{
}

void SpinCoatingOperation::end()
{
    runWhenComplete(m_materialSet && m_heightSet, spinCoatingDescriptor().bind({m_material, m_height}));
}

} // namespace Operations
} // namespace Core
