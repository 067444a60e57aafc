#include "Core/Operations/SiEtching/AtomisticSiWetEtchingOperation.h"

#include "Core/Operations/OperationId.h"
#include "Core/Operations/SiEtching/AtomicStructureSimpleSiWetEtch.h"

namespace Core {
namespace Operations {

AtomisticSiWetEtchingOperation::AtomisticSiWetEtchingOperation(OperationContext *context) : SiWetEtchOperation(context, "BCA Wet Etch", AtomisticWetEtchingId) {}

void AtomisticSiWetEtchingOperation::runEtch(Model::Automaton::TotalVolume &volume, double depth)
{
    AtomicStructureSimpleSiWetEtch(volume, depth).runEtching();
}

} // namespace Operations
} // namespace Core
