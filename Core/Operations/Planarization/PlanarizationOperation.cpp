#include "Core/Operations/Planarization/PlanarizationOperation.h"

#include "Core/Operations/Planarization/PlanarizationProcesses.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

PlanarizationOperation::PlanarizationOperation(OperationContext *context)
    : ProcessOperation(context, planarizationDescriptor(), instances.fetch_add(1))
{
}

void PlanarizationOperation::cancel()
{
    postMessage("Operation canceled!");
    cancelSilently();
}

void PlanarizationOperation::end()
{
    runWhenComplete(m_maximumSet && m_minimumSet, planarizationDescriptor().bind({m_maximum, m_minimum}));
}

} // namespace Operations
} // namespace Core
