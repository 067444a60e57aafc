#pragma once

#include "Model/Automaton/CellRange.h"
#include "Model/Automaton/ParallelStrips.h"
#include "Model/Automaton/Voxel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}

namespace Geometry {

// The cells of a volume as the geometry builders read them: the current
// cell array, whose lock the caller holds while the grid is in use, the
// volume's sizes and cell sizes, and the range to build over, which lies
// within the volume.
struct CellGrid
{
    const Automaton::Voxel *cells = nullptr;
    std::array<int, 3> size{};
    std::array<float, 3> cellSize{};
    Automaton::CellRange range;

    static CellGrid of(const Automaton::TotalVolume &volume, const Automaton::Voxel *cells,
                       const Automaton::CellRange &range);

    std::size_t index(int x, int y, int z) const
    {
        return std::size_t(z) + std::size_t(size[2]) * (std::size_t(y) + std::size_t(size[1]) * std::size_t(x));
    }
    std::uint32_t material(int x, int y, int z) const { return cells[index(x, y, z)].material; }

    // Calls visit(x, y, z) for the cells of the x planes [first, end) of the
    // range, x slowest and z fastest.
    template<typename Visit>
    void forEachCell(int first, int end, Visit &&visit) const
    {
        for (int x = first; x < end; ++x)
            for (int y = range.lower[1]; y < range.upper[1]; ++y)
                for (int z = range.lower[2]; z < range.upper[2]; ++z)
                    visit(x, y, z);
    }

    // The range's x extent in slabs, one per pool thread; a range thinner
    // than the thread count is one slab.
    std::vector<Automaton::ParallelStrips::Strip> strips() const
    {
        return Automaton::ParallelStrips::split(range.lower[0], range.upper[0],
                                                Automaton::ParallelStrips::threadCount());
    }
};

} // namespace Geometry
} // namespace Model
