#include "Core/Operations/SiEtching/ContinousWetEtchOperation.h"

#include "Core/Operations/OperationId.h"
#include "Core/Operations/SiEtching/ContinuosWetEtching.h"

namespace Core {
namespace Operations {

ContinousWetEtchOperation::ContinousWetEtchOperation(OperationContext *context) : SiWetEtchOperation(context, "Continuous Wet Etch", ContinuousWetEtchingId) {}

void ContinousWetEtchOperation::runEtch(Model::Automaton::TotalVolume &volume, double depth)
{
    ContinuosWetEtching(volume, depth).runEtching();
}

} // namespace Operations
} // namespace Core
