#pragma once

#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodOperation.h"

namespace Core {
namespace Operations {

// Moore deposition: grows a film by whole cell layers around everything solid.
class MooreNeighborhoodDepositionOperation : public MooreNeighborhoodOperation
{
public:
    explicit MooreNeighborhoodDepositionOperation(OperationContext *context);
};

} // namespace Operations
} // namespace Core
