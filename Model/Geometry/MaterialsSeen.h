#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace Model {
namespace Geometry {

struct CellGrid;

// The distinct materials a pass over cells meets, gathered per strip and
// joined in id order; the view's legend lists them. Neighbouring cells
// mostly hold the same material, so the last one seen short-cuts the
// search.
class MaterialsSeen
{
public:
    // `material` is never 0: empty cells are no material.
    void add(std::uint32_t material)
    {
        if (material == m_last)
            return;
        m_last = material;
        if (std::find(m_ids.begin(), m_ids.end(), material) == m_ids.end())
            m_ids.push_back(material);
    }

    // The materials of all parts, ascending, each once.
    static std::vector<std::uint32_t> join(const std::vector<MaterialsSeen> &parts);
    // The materials of the non-empty cells of the grid's range, for
    // surfaces whose build does not meet every cell.
    static std::vector<std::uint32_t> of(const CellGrid &grid);

private:
    std::vector<std::uint32_t> m_ids;
    std::uint32_t m_last = 0;
};

} // namespace Geometry
} // namespace Model
