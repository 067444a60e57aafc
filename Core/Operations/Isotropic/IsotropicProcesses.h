#pragma once

#include "Core/Operations/ProcessKind.h"

#include <cstdint>

namespace Core {
namespace Operations {

// The options of isotropic deposition and etching: the film thickness (or
// etch depth) in cell-edge units and the material grown or removed.
struct FilmParameters
{
    double thickness = 0.0;
    std::uint32_t material = 0;
};

// The options of electroplating: the film thickness, the plated material
// and the conducting material it grows from.
struct PlatingParameters
{
    double thickness = 0.0;
    std::uint32_t material = 0;
    std::uint32_t conductor = 0;
};

// The descriptors of the vector-distance processes: isotropic deposition
// ("CVD" in process lists), isotropic etching and electroplating.
const ProcessKind<FilmParameters> &isotropicDepositionDescriptor();
const ProcessKind<FilmParameters> &isotropicEtchingDescriptor();
const ProcessKind<PlatingParameters> &electroplatingDescriptor();

} // namespace Operations
} // namespace Core
