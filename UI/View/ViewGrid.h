#pragma once

#include <array>
#include <vector>

namespace Ui {

// The ground grid of the view: lines at a fixed spacing covering an x-y
// extent, at height `zLevel`.
struct ViewGrid
{
    float minX = 0.0f;
    float minY = 0.0f;
    float maxX = 0.0f;
    float maxY = 0.0f;
    float zLevel = 0.0f;
    float spacing = 10.0f;

    // Segments (x0, y0, x1, y1), the lines along y first, snapped outwards
    // to multiples of the spacing. None for a spacing that is not positive.
    std::vector<std::array<float, 4>> lines() const;
};

} // namespace Ui
