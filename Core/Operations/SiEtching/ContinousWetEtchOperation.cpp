#include "Core/Operations/SiEtching/ContinousWetEtchOperation.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

ContinousWetEtchOperation::ContinousWetEtchOperation(OperationContext *context)
    : SiWetEtchOperation(context, continuousWetEtchingDescriptor(), instances.fetch_add(1))
{
}

} // namespace Operations
} // namespace Core
