#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Model {
namespace Geometry {

class ColourMap;

// One corner of a smooth-surface triangle, laid out so that a frame can
// hand the vertices to GL as interleaved arrays.
struct SurfaceVertex
{
    std::array<float, 3> position; // world units from the volume's corner
    std::array<float, 3> normal;   // unit length
    std::array<float, 3> colour;   // of its material; smooth surfaces are drawn opaque
    std::uint32_t material;
};

struct Triangle
{
    std::array<SurfaceVertex, 3> vertices; // counter-clockwise seen from outside
};

// A triangle surface of a cell volume, kept contiguous for drawing.
struct TriangleMesh
{
    std::vector<Triangle> triangles;

    std::size_t size() const { return triangles.size(); }
    bool empty() const { return triangles.empty(); }
    // Every vertex takes its material's colour, or the selection highlight of it.
    void recolour(const ColourMap &colours, bool selected);
};

} // namespace Geometry
} // namespace Model
