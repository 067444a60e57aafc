#pragma once

#include "Core/Operations/ProcessKind.h"

namespace Core {
namespace Operations {

// The option of both wet etchings: how far down the (100) plane of the
// surface is etched, in lattice constants.
struct WetEtchParameters
{
    double depth = 0.0;
};

// The descriptors of the wet etchings of silicon: atom by atom by bond
// counting ("Si wet etching" in process lists), and as a continuous
// cellular automaton, which process lists do not hold. Both build the Si
// lattice first when it is missing or out of date, and leave it matching
// the cells.
const ProcessKind<WetEtchParameters> &atomisticWetEtchingDescriptor();
const ProcessKind<WetEtchParameters> &continuousWetEtchingDescriptor();

} // namespace Operations
} // namespace Core
