#pragma once

#include "Model/Geometry/MaterialSurfaces.h"

#include <array>

namespace Model {
namespace Geometry {

struct CellGrid;

// Builds the closed surface of every material of a cell volume. On each
// plane between two layers of cells, the sides where the material changes
// are gathered by the pair of materials on either side, and sides of one
// pair that lie side by side are merged into rectangles, so that flat walls
// cost a few triangles whatever their size. A rectangle's edges are split
// at every corner of another rectangle that lies on them, so the bodies
// together form one mesh without T-junctions: every edge of a body is
// shared by an even number of its triangles, and a face between two
// materials has the same triangles in both bodies, facing out of each.
// Rectangles without such corners are two triangles; the others are
// fanned from their centre. So that meshers can fill the bodies, no
// triangle is far from equilateral: rectangles more than three times as
// long as wide are cut across, and those with corners close together on
// their edges are halved until the fan has no needles (on cubic cells the
// longest edge of a triangle is at most 6.7 times its shortest height).
class MaterialSurfaceBuilder
{
public:
    // The bodies of the cells of the grid's range (cells outside it count as
    // empty); `origin` is the world position of the volume's corner. The
    // planes are merged on the pool threads; the result does not depend on
    // their number.
    static MaterialSurfaces build(const CellGrid &grid, const std::array<double, 3> &origin);
};

} // namespace Geometry
} // namespace Model
