#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodEtchingOperation.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

// The deposition's records carry the same key and number up from 0; these
// number down from -1, so the two never meet.
MooreNeighborhoodEtchingOperation::MooreNeighborhoodEtchingOperation(OperationContext *context)
    : MooreNeighborhoodOperation(context, mooreEtchingDescriptor(), -1 - instances.fetch_add(1))
{
}

} // namespace Operations
} // namespace Core
