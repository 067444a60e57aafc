#include "Core/Operations/Isotropic/ElectrodepositionOperation.h"

#include "Core/Operations/Isotropic/Electrodeposition.h"
#include "Core/Operations/OperationId.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

ElectrodepositionOperation::ElectrodepositionOperation(OperationContext *context)
    : FilmProcessOperation(context, "Electroplating", ElectrodepositionId, "Electroplating", instances.fetch_add(1), 4)
{
}

void ElectrodepositionOperation::runWorker(Model::Automaton::TotalVolume &volume, Interrupter *interrupter)
{
    Electrodeposition(volume, materialId(), m_conductor, thickness(), interrupter).runElectrodeposition();
}

} // namespace Operations
} // namespace Core
