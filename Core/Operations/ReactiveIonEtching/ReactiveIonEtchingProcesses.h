#pragma once

#include "Core/Operations/ProcessKind.h"

#include <cstdint>

namespace Core {
namespace Operations {

// The options of simple RIE: the etch depth in cells (whole steps), the
// etched material, and the sides it is etched from (a combination of
// SimpleReactiveIonEtching::FromTop and FromBelow).
struct RieParameters
{
    double depth = 0.0;
    std::uint32_t material = 0;
    std::uint8_t directions = 0;
};

// The descriptor of simple reactive ion etching, a vertical etch.
const ProcessKind<RieParameters> &simpleRieDescriptor();

} // namespace Operations
} // namespace Core
