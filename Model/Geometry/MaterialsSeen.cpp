#include "Model/Geometry/MaterialsSeen.h"

#include "Model/Geometry/CellGrid.h"

namespace Model {
namespace Geometry {

std::vector<std::uint32_t> MaterialsSeen::join(const std::vector<MaterialsSeen> &parts)
{
    std::vector<std::uint32_t> ids;
    for (const MaterialsSeen &part : parts)
        ids.insert(ids.end(), part.m_ids.begin(), part.m_ids.end());
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

std::vector<std::uint32_t> MaterialsSeen::of(const CellGrid &grid)
{
    const auto strips = grid.strips();
    std::vector<MaterialsSeen> seen(strips.size());
    Automaton::ParallelStrips::run(strips, [&](const Automaton::ParallelStrips::Strip &strip) {
        MaterialsSeen &mine = seen[strip.index];
        grid.forEachCell(strip.first, strip.end, [&](int x, int y, int z) {
            if (const std::uint32_t material = grid.material(x, y, z))
                mine.add(material);
        });
    });
    return join(seen);
}

} // namespace Geometry
} // namespace Model
