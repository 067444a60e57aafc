#include "Model/Geometry/EmptyCellOutlineBuilder.h"

#include "Model/Geometry/CellGrid.h"
#include "Model/Geometry/CubicFaceBuilder.h"
#include "Model/Geometry/QuadMesh.h"

namespace Model {
namespace Geometry {

constexpr QuadFace::Colour EmptyCellOutlineBuilder::OutlineColour;

QuadFaceList EmptyCellOutlineBuilder::build(const CellGrid &grid)
{
    const auto strips = grid.strips();
    std::vector<QuadFaceList> parts(strips.size());
    Automaton::ParallelStrips::run(strips, [&](const Automaton::ParallelStrips::Strip &strip) {
        // Grown in a local, as the cubic faces are: the strips' lists lie
        // side by side.
        QuadFaceList outlines;
        grid.forEachCell(strip.first, strip.end, [&](int x, int y, int z) {
            if (grid.material(x, y, z) != 0)
                return;
            for (int side = 0; side < 6; ++side)
                outlines.push_back(CubicFaceBuilder::face(x, y, z, side, grid.cellSize, 0, OutlineColour));
        });
        parts[strip.index] = std::move(outlines);
    });
    return QuadMesh::join(parts);
}

} // namespace Geometry
} // namespace Model
