#include "Core/Operations/SiEtching/AtomisticSiWetEtchingOperation.h"

#include "Core/Operations/OperationId.h"
#include "Core/Operations/SiEtching/AtomicStructureSimpleSiWetEtch.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

AtomisticSiWetEtchingOperation::AtomisticSiWetEtchingOperation(OperationContext *context)
    : SiWetEtchOperation(context, "BCA Wet Etch", AtomisticWetEtchingId, "BCAWetEtch", instances.fetch_add(1))
{
}

void AtomisticSiWetEtchingOperation::runEtch(Model::Automaton::TotalVolume &volume, double depth, Interrupter *interrupter)
{
    AtomicStructureSimpleSiWetEtch(volume, depth, interrupter).runEtching();
}

} // namespace Operations
} // namespace Core
