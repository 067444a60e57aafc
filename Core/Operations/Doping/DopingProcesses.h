#pragma once

#include "Core/Operations/ProcessKind.h"

#include <cstdint>

namespace Core {
namespace Operations {

// The options of doping: the doping depth in cell-edge units and the
// material dopable cells become.
struct DopingParameters
{
    double depth = 0.0;
    std::uint32_t doped = 0;
};

// The options of ion implantation: the implantation depth below each
// column's top, the annealing distance and the doped material.
struct ImplantationParameters
{
    double depth = 0.0;
    double annealing = 0.0;
    std::uint32_t doped = 0;
};

const ProcessKind<DopingParameters> &dopingDescriptor();
const ProcessKind<ImplantationParameters> &ionImplantationDescriptor();

} // namespace Operations
} // namespace Core
