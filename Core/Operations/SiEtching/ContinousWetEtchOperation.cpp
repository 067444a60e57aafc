#include "Core/Operations/SiEtching/ContinousWetEtchOperation.h"

#include "Core/Operations/OperationId.h"
#include "Core/Operations/SiEtching/ContinuosWetEtching.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

ContinousWetEtchOperation::ContinousWetEtchOperation(OperationContext *context)
    : SiWetEtchOperation(context, "Continuous Wet Etch", ContinuousWetEtchingId, "ContinuousWetEtch",
                         instances.fetch_add(1))
{
}

void ContinousWetEtchOperation::runEtch(Model::Automaton::TotalVolume &volume, double depth, Interrupter *interrupter)
{
    ContinuosWetEtching(volume, depth, interrupter).runEtching();
}

} // namespace Operations
} // namespace Core
