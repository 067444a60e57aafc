#pragma once

#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodOperation.h"

namespace Core {
namespace Operations {

// Moore etching: removes a material by whole cell layers from its open surfaces.
class MooreNeighborhoodEtchingOperation : public MooreNeighborhoodOperation
{
public:
    explicit MooreNeighborhoodEtchingOperation(OperationContext *context);
};

} // namespace Operations
} // namespace Core
