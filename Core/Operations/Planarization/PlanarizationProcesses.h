#pragma once

#include "Core/Operations/ProcessKind.h"

#include <cstdint>

namespace Core {
namespace Operations {

// The options of planarization: cells at or above the maximum height and
// below the minimum height are removed (heights in cells).
struct PlanarizationParameters
{
    int maximumHeight = 0;
    int minimumHeight = 0;
};

// The options of spin coating: the material poured into the empty cells
// below the deposition height (in cells).
struct SpinCoatingParameters
{
    std::uint32_t material = 0;
    int height = 0;
};

// The descriptors of the column processes, which work by height alone.
const ProcessKind<PlanarizationParameters> &planarizationDescriptor();
const ProcessKind<SpinCoatingParameters> &spinCoatingDescriptor();

} // namespace Operations
} // namespace Core
