#include "Core/Operations/Doping/SimpleDoping.h"

namespace Core {
namespace Operations {

SimpleDoping::SimpleDoping(Model::Automaton::TotalVolume &volume, std::uint32_t doped, float depth,
                           Interrupter *interrupter)
    : DopingFront(volume, doped, depth, interrupter)
{
}

VectorDistanceFront::SeedResult SimpleDoping::seed(const Voxel *cells, int x, int y, int z) const
{
    // The dopant comes from the empty space around the solid.
    const std::uint32_t material = cells[cellIndex(x, y, z)].material;
    if (material == 0)
        return {SeedKind::Source, false};
    if (dopable(material))
        return {SeedKind::Open, true};
    return {SeedKind::Obstacle, false};
}

} // namespace Operations
} // namespace Core
