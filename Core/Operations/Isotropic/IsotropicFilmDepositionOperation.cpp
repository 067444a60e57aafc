#include "Core/Operations/Isotropic/IsotropicFilmDepositionOperation.h"

#include "Core/Operations/Isotropic/IsotropicProcesses.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

IsotropicFilmDepositionOperation::IsotropicFilmDepositionOperation(OperationContext *context)
    : FilmProcessOperation(context, isotropicDepositionDescriptor(), instances.fetch_add(1), 3)
{
}

ProcessRun IsotropicFilmDepositionOperation::processRun() const
{
    return isotropicDepositionDescriptor().bind({thickness(), materialId()});
}

} // namespace Operations
} // namespace Core
