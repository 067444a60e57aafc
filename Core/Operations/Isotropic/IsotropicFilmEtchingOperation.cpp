#include "Core/Operations/Isotropic/IsotropicFilmEtchingOperation.h"

#include "Core/Operations/Isotropic/IsotropicFilmEtching.h"
#include "Core/Operations/OperationId.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

IsotropicFilmEtchingOperation::IsotropicFilmEtchingOperation(OperationContext *context)
    : FilmProcessOperation(context, "Isotropic Etching", IsotropicEtchingId, "IsotropicEtching", instances.fetch_add(1), 3)
{
}

void IsotropicFilmEtchingOperation::runWorker(Model::Automaton::TotalVolume &volume, Interrupter *interrupter)
{
    IsotropicFilmEtching(volume, materialId(), thickness(), interrupter).runEtching();
}

} // namespace Operations
} // namespace Core
