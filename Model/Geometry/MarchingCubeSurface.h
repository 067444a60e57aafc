#pragma once

#include "Model/Geometry/TriangleMesh.h"

#include <cstdint>
#include <vector>

namespace Model {
namespace Geometry {

class ColourMap;
struct CellGrid;

// The smooth surface of a cell volume: the boundary between empty and
// filled cells of the draw range polygonised by marching cubes. Each cell
// is sampled at its centre, so the surface lies where the cubic faces lie;
// every edge vertex sits at the midpoint of its edge (the cells are either
// empty or filled, there is nothing to interpolate) and carries the
// material of the filled cell next to it. Cells outside the draw range
// count as empty, and the cubes reach one cell beyond the range on every
// side, so the surface encloses exactly the cells of the range: a film on
// the lowest or the highest layer is closed like any other.
//
// Vertex normals are smoothed: the face normals of all vertices that round
// to the same grid point are averaged.
class MarchingCubeSurface
{
public:
    // Built on the pool threads by x strips and joined in strip order, so
    // the triangles are the same for any number of threads. `materials`,
    // when given, receives the materials of the range's non-empty cells,
    // ascending. Vertices carry the catalogue colours of `colours`.
    static TriangleMesh build(const CellGrid &grid, const ColourMap &colours,
                              std::vector<std::uint32_t> *materials = nullptr);
};

} // namespace Geometry
} // namespace Model
