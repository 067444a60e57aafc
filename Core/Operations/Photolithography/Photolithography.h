#pragma once

#include "Model/Automaton/CellMask.h"
#include "Model/Automaton/ParallelStrips.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
struct Voxel;
}
}

namespace Core {
namespace Operations {

class Interrupter;

// Development of a photoresist film through a top and a bottom mask. Light
// reaches the resist through the mask's transparent pixels, and the
// developer dissolves the exposed resist column by column, one cell per
// step, from a free resist surface inwards: downwards from a free upper
// surface under the top mask, upwards from a free lower surface under the
// bottom mask, stopping at the first cell of another material. A step
// moves only along z, so the x strips share nothing and the result does
// not depend on the thread count.
class Photolithography
{
public:
    using CellMask = Model::Automaton::CellMask;

    // A negative resist (NegativePhotoresistId) sees both masks inverted:
    // what they cover is developed, what they leave open stays.
    Photolithography(Model::Automaton::TotalVolume &volume, std::uint32_t resist, const CellMask &bottomMask,
                     const CellMask &topMask, Interrupter *interrupter = nullptr);

    // Develops the resist, reporting each step; false when the interrupter
    // stopped it between two steps, the cells holding the steps done.
    bool runDevelopment();

    // The column bits the development uses: bit x·sizeY + y is on where
    // column (x, y) is covered for this resist.
    const std::vector<bool> &bottomColumns() const { return m_bottom; }
    const std::vector<bool> &topColumns() const { return m_top; }

private:
    using Strip = Model::Automaton::ParallelStrips::Strip;

    void initializeStrip(const Strip &strip);
    void stepStrip(const Strip &strip);
    bool isResist(std::size_t index) const;

    Model::Automaton::TotalVolume &m_volume;
    const std::uint32_t m_resist;
    const unsigned m_sizeX, m_sizeY, m_sizeZ;
    std::vector<bool> m_bottom;
    std::vector<bool> m_top;
    Interrupter *const m_interrupter;
    std::vector<Strip> m_strips;
    // One development front per strip, in cell-index order.
    std::vector<std::vector<std::size_t>> m_fronts;
    Model::Automaton::Voxel *m_current = nullptr;
    Model::Automaton::Voxel *m_working = nullptr;
};

} // namespace Operations
} // namespace Core
