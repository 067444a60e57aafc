#include "Core/Operations/Isotropic/IsotropicFilmDepositionOperation.h"

#include "Core/Operations/Isotropic/IsotropicFilmDeposition.h"
#include "Core/Operations/OperationId.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

IsotropicFilmDepositionOperation::IsotropicFilmDepositionOperation(OperationContext *context)
    : FilmProcessOperation(context, "Isotropic Deposition", IsotropicDepositionId, "IsotropicDeposition", instances.fetch_add(1), 3)
{
}

void IsotropicFilmDepositionOperation::runWorker(Model::Automaton::TotalVolume &volume, Interrupter *interrupter)
{
    IsotropicFilmDeposition(volume, materialId(), thickness(), interrupter).runDeposition();
}

} // namespace Operations
} // namespace Core
