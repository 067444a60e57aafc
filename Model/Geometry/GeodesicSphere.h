#pragma once

#include <array>
#include <vector>

namespace Model {
namespace Geometry {

// The unit sphere the atoms are drawn with: an icosahedron whose faces are
// each split into sixteen, pushed out onto the sphere. 320 triangles,
// counter-clockwise seen from outside; each vertex is its own normal.
class GeodesicSphere
{
public:
    static const std::vector<std::array<float, 3>> &triangles();
};

} // namespace Geometry
} // namespace Model
