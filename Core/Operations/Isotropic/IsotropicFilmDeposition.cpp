#include "Core/Operations/Isotropic/IsotropicFilmDeposition.h"

#include "Model/Automaton/TotalVolume.h"

namespace Core {
namespace Operations {

IsotropicFilmDeposition::IsotropicFilmDeposition(Model::Automaton::TotalVolume &volume, std::uint32_t material,
                                                 float thickness, Interrupter *interrupter)
    : VectorDistanceFront(volume, thickness, interrupter)
    , m_material(material)
{
}

VectorDistanceFront::SeedResult IsotropicFilmDeposition::seed(const Voxel *cells, int x, int y, int z) const
{
    if (cells[cellIndex(x, y, z)].material == 0)
        return {SeedKind::Open, true};
    return {SeedKind::Source, false};
}

std::uint32_t IsotropicFilmDeposition::reachedMaterial(const Voxel &current) const
{
    return current.material == 0 ? m_material : current.material;
}


} // namespace Operations
} // namespace Core
