#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Model {
namespace Geometry {

// The closed surfaces of the bodies of a cell volume, one body per material,
// as triangles in world units: what the mesh exports write. A face between
// two materials belongs to both bodies, facing out of each, so every body
// can be meshed on its own. Triangles are counter-clockwise seen from
// outside their body.
struct MaterialSurfaces
{
    using Point = std::array<float, 3>;
    using Triangle = std::array<std::uint32_t, 3>;

    struct Body
    {
        std::uint32_t material = 0;
        std::uint64_t cellCount = 0; // the cells of this material
        std::vector<Triangle> triangles;
    };

    // Shared by all bodies.
    std::vector<Point> points;
    // In ascending material order; empty cells are no body.
    std::vector<Body> bodies;

    std::size_t triangleCount() const
    {
        std::size_t count = 0;
        for (const Body &body : bodies)
            count += body.triangles.size();
        return count;
    }
};

} // namespace Geometry
} // namespace Model
