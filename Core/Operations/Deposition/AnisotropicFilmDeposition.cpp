#include "Core/Operations/Deposition/AnisotropicFilmDeposition.h"

#include "Model/Automaton/TotalVolume.h"

namespace Core {
namespace Operations {

namespace {

std::array<float, 3> scaledEdges(const Model::Automaton::TotalVolume &volume, float ratio)
{
    return {volume.cellsizeX() / ratio, volume.cellsizeY() / ratio, volume.cellsizeZ()};
}

} // namespace

AnisotropicFilmDeposition::AnisotropicFilmDeposition(Model::Automaton::TotalVolume &volume, std::uint32_t material,
                                                     float thickness, float ratio, int side,
                                                     Interrupter *interrupter)
    : VectorDistanceFront(volume, thickness, scaledEdges(volume, ratio), interrupter)
    , m_material(material)
    , m_side(side)
    , m_edges(scaledEdges(volume, ratio))
{
}

VectorDistanceFront::SeedResult AnisotropicFilmDeposition::seed(const Voxel *cells, int x, int y, int z) const
{
    if (cells[cellIndex(x, y, z)].material == 0)
        return {SeedKind::Open, true};
    // A face looking at the chosen side with nothing in front of it emits.
    const bool openAbove = z + 1 < size()[2] && cells[cellIndex(x, y, z + 1)].material == 0;
    const bool openBelow = z > 0 && cells[cellIndex(x, y, z - 1)].material == 0;
    const bool source = ((m_side & Top) && openAbove) || ((m_side & Bottom) && openBelow);
    return {source ? SeedKind::Source : SeedKind::Obstacle, false};
}

std::uint32_t AnisotropicFilmDeposition::reachedMaterial(const Voxel &current) const
{
    return current.material == 0 ? m_material : current.material;
}

std::array<float, 3> AnisotropicFilmDeposition::stepVector(int direction) const
{
    const int *d = FaceOffsets[direction];
    return {float(-d[0]) * m_edges[0], float(-d[1]) * m_edges[1], float(-d[2]) * m_edges[2]};
}

} // namespace Operations
} // namespace Core
