#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace Model {
namespace Geometry {

// One quad of a cell-volume surface, in the volume's own coordinates (world
// units from its corner). Corners are in drawing order, counter-clockwise
// seen from outside. The material lets the face be recoloured (selection,
// catalogue edits) without going back to the cells.
struct QuadFace
{
    using Point = std::array<float, 3>;
    using Colour = std::array<float, 4>;

    std::array<Point, 4> corners;
    const float *normal = nullptr; // into a static table of unit normals
    Colour fill{};
    Colour edge{};
    std::uint32_t material = 0;

    // Area of the quad (they are all rectangles).
    float area() const;
};

using QuadFaceList = std::vector<QuadFace>;

} // namespace Geometry
} // namespace Model
