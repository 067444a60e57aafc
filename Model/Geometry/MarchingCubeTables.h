#pragma once

namespace Model {
namespace Geometry {

// The marching cubes case tables of Lorensen and Cline as Bourke publishes
// them. Corners of a cube: 0 (x, y+1, z), 1 (x+1, y+1, z), 2 (x+1, y, z),
// 3 (x, y, z), 4 to 7 the same one cell higher in z. Edges: 0 (0-1),
// 1 (1-2), 2 (2-3), 3 (3-0), 4 (4-5), 5 (5-6), 6 (6-7), 7 (7-4), 8 (0-4),
// 9 (1-5), 10 (2-6), 11 (3-7). The cube index has bit i set when corner i
// lies inside the solid.
class MarchingCubeTables
{
public:
    // Per cube index, up to five triangles as triples of edges, ended by -1.
    static const int Triangles[256][16];

    // The edges whose two corners lie on different sides, as a bit mask.
    static int cutEdges(int cubeIndex);
    // Corner `end` (0 or 1) of `edge`.
    static int edgeCorner(int edge, int end);
};

} // namespace Geometry
} // namespace Model
