#pragma once

#include "Core/Operations/ProcessKind.h"

#include <cstdint>

namespace Core {
namespace Operations {

// The options of Moore deposition and etching: the film thickness (or etch
// depth) in whole cells, one step each, and the material grown or removed.
struct MooreParameters
{
    int steps = 0;
    std::uint32_t material = 0;
};

// The descriptors of the Moore-neighbourhood processes, which grow or
// remove whole cell layers.
const ProcessKind<MooreParameters> &mooreDepositionDescriptor();
const ProcessKind<MooreParameters> &mooreEtchingDescriptor();

} // namespace Operations
} // namespace Core
