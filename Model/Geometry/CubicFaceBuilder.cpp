#include "Model/Geometry/CubicFaceBuilder.h"

#include "Model/Geometry/CellGrid.h"
#include "Model/Geometry/ColourMap.h"
#include "Model/Geometry/MaterialsSeen.h"

namespace Model {
namespace Geometry {

constexpr float CubicFaceBuilder::TranslucentBelow;

namespace {

// Sides in the order every cell examines them: -z, +z, -y, +y, -x, +x.
const int Offsets[6][3] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
const float Normals[6][3] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
const int Corners[6][4][3] = {
    {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}},
    {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}},
    {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}},
    {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}},
    {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}},
    {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}},
};

// Fills the strip's lists in locals and hands them over at the end: the
// lists of neighbouring strips lie side by side, and growing them in place
// would make the threads contend for the cache lines they share.
void facesOfStrip(const CellGrid &grid, const ColourMap &colours, int first, int end, QuadFaceList &stripOpaque,
                  QuadFaceList &stripTranslucent, MaterialsSeen &stripSeen)
{
    QuadFaceList opaque, translucent;
    MaterialsSeen seen;
    grid.forEachCell(first, end, [&](int x, int y, int z) {
        const std::uint32_t material = grid.material(x, y, z);
        if (material == 0)
            return;
        seen.add(material);
        const QuadFace::Colour &colour = colours.colour(material);
        const bool isTranslucent = colour[3] < CubicFaceBuilder::TranslucentBelow;
        for (int side = 0; side < 6; ++side) {
            const int nx = x + Offsets[side][0], ny = y + Offsets[side][1], nz = z + Offsets[side][2];
            if (grid.range.contains(nx, ny, nz)) {
                const std::uint32_t other = grid.material(nx, ny, nz);
                // A translucent cell merges only with its own material; an
                // opaque one is hidden by any fully opaque neighbour.
                const bool hidden = isTranslucent ? other == material && colour[3] > 0.1f
                                                  : other != 0 && colours.alpha(other) > 0.999f;
                if (hidden)
                    continue;
            }
            (isTranslucent ? translucent : opaque)
                .push_back(CubicFaceBuilder::face(x, y, z, side, grid.cellSize, material, colour));
        }
    });
    stripOpaque = std::move(opaque);
    stripTranslucent = std::move(translucent);
    stripSeen = std::move(seen);
}

} // namespace

QuadFace CubicFaceBuilder::face(int x, int y, int z, int side, const std::array<float, 3> &cellSize,
                                std::uint32_t material, const QuadFace::Colour &colour)
{
    QuadFace face;
    for (int corner = 0; corner < 4; ++corner) {
        face.corners[std::size_t(corner)] = {float(x + Corners[side][corner][0]) * cellSize[0],
                                             float(y + Corners[side][corner][1]) * cellSize[1],
                                             float(z + Corners[side][corner][2]) * cellSize[2]};
    }
    face.normal = Normals[side];
    face.fill = face.edge = colour;
    face.material = material;
    return face;
}

QuadMesh CubicFaceBuilder::build(const CellGrid &grid, const ColourMap &colours, std::vector<std::uint32_t> *materials)
{
    const auto strips = grid.strips();
    std::vector<QuadFaceList> opaque(strips.size()), translucent(strips.size());
    std::vector<MaterialsSeen> seen(strips.size());
    Automaton::ParallelStrips::run(strips, [&](const Automaton::ParallelStrips::Strip &strip) {
        facesOfStrip(grid, colours, strip.first, strip.end, opaque[strip.index], translucent[strip.index],
                     seen[strip.index]);
    });
    QuadMesh mesh;
    mesh.opaque = QuadMesh::join(opaque);
    mesh.translucent = QuadMesh::join(translucent);
    if (materials)
        *materials = MaterialsSeen::join(seen);
    return mesh;
}

} // namespace Geometry
} // namespace Model
