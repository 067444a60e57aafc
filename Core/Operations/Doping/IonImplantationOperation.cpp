#include "Core/Operations/Doping/IonImplantationOperation.h"

#include "Core/Operations/Doping/DopingProcesses.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

IonImplantationOperation::IonImplantationOperation(OperationContext *context)
    : ProcessOperation(context, ionImplantationDescriptor(), instances.fetch_add(1))
{
}

void IonImplantationOperation::cancel()
{
    cancelExclaimed();
}

void IonImplantationOperation::end()
{
    if (!volume() || !m_annealingSet || !m_depthSet || !m_materialSet) {
        cancel();
        return;
    }
    runProcess(ionImplantationDescriptor().bind({m_depth, m_annealing, m_material}));
}

} // namespace Operations
} // namespace Core
