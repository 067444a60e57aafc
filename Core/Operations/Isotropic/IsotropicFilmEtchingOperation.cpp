#include "Core/Operations/Isotropic/IsotropicFilmEtchingOperation.h"

#include "Core/Operations/Isotropic/IsotropicProcesses.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

IsotropicFilmEtchingOperation::IsotropicFilmEtchingOperation(OperationContext *context)
    : FilmProcessOperation(context, isotropicEtchingDescriptor(), instances.fetch_add(1), 3)
{
}

ProcessRun IsotropicFilmEtchingOperation::processRun() const
{
    return isotropicEtchingDescriptor().bind({thickness(), materialId()});
}

} // namespace Operations
} // namespace Core
