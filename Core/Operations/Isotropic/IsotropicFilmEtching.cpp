#include "Core/Operations/Isotropic/IsotropicFilmEtching.h"

#include "Model/Automaton/TotalVolume.h"

namespace Core {
namespace Operations {

IsotropicFilmEtching::IsotropicFilmEtching(Model::Automaton::TotalVolume &volume, std::uint32_t material, float depth,
                                           Interrupter *interrupter)
    : VectorDistanceFront(volume, depth, interrupter)
    , m_material(material)
{
}

VectorDistanceFront::SeedResult IsotropicFilmEtching::seed(const Voxel *cells, int x, int y, int z) const
{
    if (cells[cellIndex(x, y, z)].material == 0)
        return {SeedKind::Source, false};
    return {SeedKind::Open, true};
}

std::uint32_t IsotropicFilmEtching::reachedMaterial(const Voxel &current) const
{
    return current.material == m_material ? 0 : current.material;
}


} // namespace Operations
} // namespace Core
