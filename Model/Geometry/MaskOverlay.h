#pragma once

#include <array>
#include <vector>

namespace Model {
namespace Automaton {
struct CellMask;
class TotalVolume;
}

namespace Geometry {

// A lithography mask as the view lays it over its volume: a rectangle for
// every cell column the mask covers, taken from the same column bits the
// development uses, on a plane five cells below the volume (bottom mask)
// or above it (top mask).
struct MaskOverlay
{
    // x0, y0, x1, y1 in world units from the volume's corner.
    using Rectangle = std::array<float, 4>;

    std::vector<Rectangle> rectangles;
    float height = 0.0f;

    static MaskOverlay bottomOf(const Automaton::TotalVolume &volume);
    static MaskOverlay topOf(const Automaton::TotalVolume &volume);
    // Pixels beyond the volume's x or y size are left out.
    static std::vector<Rectangle> rectanglesOf(const Automaton::CellMask &mask, const Automaton::TotalVolume &volume);
};

} // namespace Geometry
} // namespace Model
