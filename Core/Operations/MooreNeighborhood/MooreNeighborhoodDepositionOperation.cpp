#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodDepositionOperation.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

MooreNeighborhoodDepositionOperation::MooreNeighborhoodDepositionOperation(OperationContext *context)
    : MooreNeighborhoodOperation(context, mooreDepositionDescriptor(), instances.fetch_add(1))
{
}

} // namespace Operations
} // namespace Core
