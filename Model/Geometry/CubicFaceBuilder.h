#pragma once

#include "Model/Geometry/QuadFace.h"
#include "Model/Geometry/QuadMesh.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Model {
namespace Geometry {

class ColourMap;
struct CellGrid;

// The direct cubic surface of a cell volume: one quad for every side of a
// non-empty cell that is exposed within the draw range. A side at the
// border of the range always shows. A translucent cell (alpha below
// 0.997) hides a side only towards its own material, and only when that
// is not nearly clear (alpha above 0.1); an opaque cell hides it towards
// any fully opaque neighbour (alpha above 0.999).
class CubicFaceBuilder
{
public:
    static constexpr float TranslucentBelow = 0.997f;

    // The faces over the grid's range, built on the pool threads by x
    // strips and joined in strip order, so that their order is that of a
    // single pass whatever the number of threads. `materials`, when given,
    // receives the materials of the range's non-empty cells, ascending.
    static QuadMesh build(const CellGrid &grid, const ColourMap &colours,
                          std::vector<std::uint32_t> *materials = nullptr);

    // Side `side` (-z, +z, -y, +y, -x, +x) of cell (x, y, z), in world
    // units from the volume's corner, counter-clockwise seen from outside.
    static QuadFace face(int x, int y, int z, int side, const std::array<float, 3> &cellSize, std::uint32_t material,
                         const QuadFace::Colour &colour);
};

} // namespace Geometry
} // namespace Model
