#include "Core/Operations/Isotropic/Electrodeposition.h"

#include "Model/Automaton/TotalVolume.h"

#include <cstdlib>

namespace Core {
namespace Operations {

Electrodeposition::Electrodeposition(Model::Automaton::TotalVolume &volume, std::uint32_t material,
                                     std::uint32_t conductor, float thickness, Interrupter *interrupter)
    : VectorDistanceFront(volume, thickness, interrupter)
    , m_material(material)
    , m_conductor(conductor)
    , m_cell{volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()}
{
}

VectorDistanceFront::SeedResult Electrodeposition::seed(const Voxel *cells, int x, int y, int z) const
{
    const std::uint32_t material = cells[cellIndex(x, y, z)].material;
    if (material == 0)
        return {SeedKind::Open, true};
    return {material == m_conductor ? SeedKind::Source : SeedKind::Obstacle, false};
}

std::uint32_t Electrodeposition::reachedMaterial(const Voxel &current) const
{
    return current.material == 0 ? m_material : current.material;
}

std::array<float, 3> Electrodeposition::stepVector(int direction) const
{
    const int *d = FaceOffsets[direction];
    return {float(std::abs(d[0])) * m_cell[0], float(std::abs(d[1])) * m_cell[1], float(std::abs(d[2])) * m_cell[2]};
}

} // namespace Operations
} // namespace Core
