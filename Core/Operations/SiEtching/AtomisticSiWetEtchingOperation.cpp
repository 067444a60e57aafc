#include "Core/Operations/SiEtching/AtomisticSiWetEtchingOperation.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

AtomisticSiWetEtchingOperation::AtomisticSiWetEtchingOperation(OperationContext *context)
    : SiWetEtchOperation(context, atomisticWetEtchingDescriptor(), instances.fetch_add(1))
{
}

} // namespace Operations
} // namespace Core
