#include "Core/Operations/Doping/DopingOperation.h"

#include "Core/Operations/Doping/DopingProcesses.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

DopingOperation::DopingOperation(OperationContext *context)
    : ProcessOperation(context, dopingDescriptor(), instances.fetch_add(1))
{
}

void DopingOperation::end()
{
    if (!volume() || !m_depthSet || !m_materialSet) {
        cancel();
        return;
    }
    runProcess(dopingDescriptor().bind({m_depth, m_material}));
}

} // namespace Operations
} // namespace Core
