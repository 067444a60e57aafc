#pragma once

#include "Core/Operations/ProcessKind.h"

#include <cstdint>

namespace Core {
namespace Operations {

// The options of directional deposition: the film thickness in cell-edge
// units, the material, how much farther the film reaches sideways than
// upwards, and the faces it grows from (1 top, 2 bottom, 3 both).
struct DirectionalFilmParameters
{
    double thickness = 0.0;
    std::uint32_t material = 0;
    double ratio = 0.5;
    int side = 1;
};

// The descriptor of directional deposition ("PVD" in process lists).
const ProcessKind<DirectionalFilmParameters> &anisotropicDepositionDescriptor();

// "On Top", "On Bottom" or "On Top and Bottom", as lists show the side.
QString depositionSideText(int side);

} // namespace Operations
} // namespace Core
