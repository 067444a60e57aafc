#include "Core/Operations/Photolithography/Photolithography.h"

#include "Core/Operations/Frames/Interrupter.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/Material.h"

#include <algorithm>

namespace Core {
namespace Operations {

namespace {
const char DevelopingPhase[] = "Developing the resist";
} // namespace

using Model::Automaton::ParallelStrips;

Photolithography::Photolithography(Model::Automaton::TotalVolume &volume, std::uint32_t resist,
                                   const CellMask &bottomMask, const CellMask &topMask, Interrupter *interrupter)
    : m_volume(volume)
    , m_resist(resist)
    , m_sizeX(volume.sizeX())
    , m_sizeY(volume.sizeY())
    , m_sizeZ(volume.sizeZ())
    , m_bottom(bottomMask.columnBits(m_sizeX, m_sizeY, resist == Model::Materials::NegativePhotoresistId))
    , m_top(topMask.columnBits(m_sizeX, m_sizeY, resist == Model::Materials::NegativePhotoresistId))
    , m_interrupter(interrupter)
{
}

bool Photolithography::isResist(std::size_t index) const
{
    return m_current[index].material == m_resist;
}

bool Photolithography::runDevelopment()
{
    m_strips = ParallelStrips::split(0, int(m_sizeX), ParallelStrips::threadCount(), 2);
    m_fronts.assign(m_strips.size(), {});
    Model::Automaton::LockedCellArrays arrays(m_volume);
    m_current = arrays.current();
    m_working = arrays.working();
    ParallelStrips::run(m_strips, [this](const Strip &strip) { initializeStrip(strip); });
    // A column of sizeZ cells is through after sizeZ steps at the most.
    const bool finished = runSteps(m_interrupter, DevelopingPhase, int(m_sizeZ), [this](int) {
        const bool moving = std::any_of(m_fronts.begin(), m_fronts.end(),
                                        [](const std::vector<std::size_t> &front) { return !front.empty(); });
        if (moving)
            ParallelStrips::run(m_strips, [this](const Strip &strip) { stepStrip(strip); });
    });
    m_current = m_working = nullptr;
    m_fronts.clear();
    return finished;
}

void Photolithography::initializeStrip(const Strip &strip)
{
    std::vector<std::size_t> &front = m_fronts[strip.index];
    front.clear();
    for (unsigned x = unsigned(strip.first); x < unsigned(strip.end); ++x)
        for (unsigned y = 0; y < m_sizeY; ++y) {
            const std::size_t column = std::size_t(x) * m_sizeY + y;
            for (unsigned z = 0; z < m_sizeZ; ++z) {
                const std::size_t c = m_volume.cellIndex(x, y, z);
                if (!isResist(c))
                    continue;
                const bool freeAbove = z + 1 < m_sizeZ && m_current[c + 1].material == 0 && !m_top[column];
                const bool freeBelow = z > 0 && m_current[c - 1].material == 0 && !m_bottom[column];
                if (freeAbove || freeBelow)
                    front.push_back(c);
            }
        }
}

void Photolithography::stepStrip(const Strip &strip)
{
    std::vector<std::size_t> &front = m_fronts[strip.index];
    std::vector<std::size_t> next;
    std::vector<std::size_t> developed;
    for (const std::size_t c : front) {
        if (!isResist(c))
            continue;
        developed.push_back(c);
        const unsigned z = unsigned(c % m_sizeZ);
        const std::size_t column = c / m_sizeZ;
        // Light from below travels up the column, light from above down it.
        if (z + 1 < m_sizeZ && isResist(c + 1) && !m_bottom[column])
            next.push_back(c + 1);
        if (z > 0 && isResist(c - 1) && !m_top[column])
            next.push_back(c - 1);
    }
    std::sort(next.begin(), next.end());
    next.erase(std::unique(next.begin(), next.end()), next.end());
    // Only now, so that every cell of the step was judged by the cells as
    // they were before it.
    for (const std::size_t c : developed) {
        m_working[c].material = 0;
        m_current[c].material = 0;
    }
    front.swap(next);
}

} // namespace Operations
} // namespace Core
