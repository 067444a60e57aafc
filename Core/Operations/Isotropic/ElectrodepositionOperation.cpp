#include "Core/Operations/Isotropic/ElectrodepositionOperation.h"

#include "Core/Operations/Isotropic/IsotropicProcesses.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

ElectrodepositionOperation::ElectrodepositionOperation(OperationContext *context)
    : FilmProcessOperation(context, electroplatingDescriptor(), instances.fetch_add(1), 4)
{
}

ProcessRun ElectrodepositionOperation::processRun() const
{
    return electroplatingDescriptor().bind({thickness(), materialId(), m_conductor});
}

} // namespace Operations
} // namespace Core
