#include "UI/View/ViewGrid.h"

#include <cmath>

namespace Ui {

std::vector<std::array<float, 4>> ViewGrid::lines() const
{
    std::vector<std::array<float, 4>> result;
    // A zero spacing would mean infinitely many lines; the spacing dialog
    // allows it, so it draws no grid rather than hanging.
    if (!(spacing > 0.0f))
        return result;
    const float s = spacing;
    const long nx = long(std::ceil((maxX - minX) / s));
    const long ny = long(std::ceil((maxY - minY) / s));
    constexpr long MaxLines = 100000;
    if (nx < 0 || ny < 0 || nx > MaxLines || ny > MaxLines)
        return result;
    const float x0 = std::floor(minX / s) * s, y0 = std::floor(minY / s) * s;
    const float x1 = std::ceil(maxX / s) * s, y1 = std::ceil(maxY / s) * s;
    for (long i = 0; i <= nx; ++i)
        result.push_back({x0 + float(i) * s, y0, x0 + float(i) * s, y1});
    for (long i = 0; i <= ny; ++i)
        result.push_back({x0, y0 + float(i) * s, x1, y0 + float(i) * s});
    return result;
}

} // namespace Ui
