#include "Core/Operations/Volumes/SubstrateGluing.h"

#include "Model/Automaton/ParallelStrips.h"
#include "Model/Automaton/TotalVolume.h"

#include <algorithm>
#include <memory>

namespace Core {
namespace Operations {

namespace {

using Model::Automaton::ParallelStrips;
using Model::Automaton::TotalVolume;
using Model::Automaton::Voxel;

// A strip of fewer planes is not worth a thread.
constexpr int MinimumStripHeight = 2;

class GlueCopy
{
public:
    GlueCopy(TotalVolume &base, const Voxel *baseCells, TotalVolume &top, const Voxel *topCells,
             const GlueLayout &layout, const GluePlacement &placement, std::vector<std::uint32_t> &result)
        : m_base(base), m_baseCells(baseCells), m_top(top), m_topCells(topCells), m_layout(layout)
        , m_placement(placement), m_result(result)
    {
    }

    void copyBase(int firstX, int endX) const
    {
        const unsigned lastX = std::min<unsigned>(unsigned(endX), m_placement.sizeX);
        const unsigned sizeY = std::min(m_base.sizeY(), m_placement.sizeY);
        const unsigned height = std::min(m_layout.baseHeight, m_placement.sizeZ);
        for (unsigned x = unsigned(firstX); x < lastX; ++x)
            for (unsigned y = 0; y < sizeY; ++y) {
                const Voxel *from = m_baseCells + m_base.cellIndex(x, y, 0);
                std::uint32_t *to = &m_result[resultIndex(x, y, 0)];
                for (unsigned z = 0; z < height; ++z)
                    to[z] = from[z].material;
            }
    }

    void copyTop(int firstX, int endX) const
    {
        if (m_layout.topEmpty)
            return;
        const GluePlacement &p = m_placement;
        for (unsigned x = unsigned(firstX); x < unsigned(endX); ++x) {
            const unsigned toX = (p.invert ? m_top.sizeX() - 1 - x : x) + p.displacementX;
            if (toX >= p.sizeX)
                continue;
            for (unsigned y = 0; y < m_top.sizeY(); ++y) {
                const unsigned toY = y + p.displacementY;
                if (toY >= p.sizeY)
                    continue;
                const Voxel *from = m_topCells + m_top.cellIndex(x, y, 0);
                for (unsigned z = m_layout.topLowest; z <= m_layout.topHighest; ++z) {
                    const unsigned toZ = m_layout.baseHeight
                                         + (p.invert ? m_layout.topHighest - z : z - m_layout.topLowest);
                    if (toZ < p.sizeZ)
                        m_result[resultIndex(toX, toY, toZ)] = from[z].material;
                }
            }
        }
    }

private:
    std::size_t resultIndex(unsigned x, unsigned y, unsigned z) const
    {
        return (std::size_t(x) * m_placement.sizeY + y) * m_placement.sizeZ + z;
    }

    TotalVolume &m_base;
    const Voxel *m_baseCells;
    TotalVolume &m_top;
    const Voxel *m_topCells;
    const GlueLayout &m_layout;
    const GluePlacement &m_placement;
    std::vector<std::uint32_t> &m_result;
};

} // namespace

std::vector<std::uint32_t> SubstrateGluing::gluedMaterials(TotalVolume &base, TotalVolume &top,
                                                           const GlueLayout &layout, const GluePlacement &placement)
{
    std::vector<std::uint32_t> result(std::size_t(placement.sizeX) * placement.sizeY * placement.sizeZ, 0);
    const Model::Automaton::LockedCells baseCells(base);
    // The same volume as both halves is held once: its lock is not reentrant.
    std::unique_ptr<Model::Automaton::LockedCells> topLock;
    if (&top != &base)
        topLock.reset(new Model::Automaton::LockedCells(top));
    const Voxel *topCells = topLock ? topLock->get() : baseCells.get();
    const GlueCopy copy(base, baseCells.get(), top, topCells, layout, placement, result);

    // Strip i of the base and strip i of the top go to the same task; both
    // volumes must be thick enough to split, else one task copies all.
    unsigned count = ParallelStrips::threadCount();
    if (base.sizeX() / count < unsigned(MinimumStripHeight) || top.sizeX() / count < unsigned(MinimumStripHeight))
        count = 1;
    const auto baseStrips = ParallelStrips::split(0, int(base.sizeX()), count);
    const auto topStrips = ParallelStrips::split(0, int(top.sizeX()), count);
    ParallelStrips::run(baseStrips, [&](const ParallelStrips::Strip &strip) {
        copy.copyBase(strip.first, strip.end);
        const ParallelStrips::Strip &topStrip = topStrips[strip.index];
        copy.copyTop(topStrip.first, topStrip.end);
    });
    return result;
}

} // namespace Operations
} // namespace Core
