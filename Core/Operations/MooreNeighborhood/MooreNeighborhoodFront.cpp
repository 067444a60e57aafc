#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodFront.h"

#include "Core/Operations/Frames/Interrupter.h"
#include "Model/Automaton/StripTeam.h"
#include "Model/Automaton/TotalVolume.h"

namespace Core {
namespace Operations {

using Model::Automaton::ParallelStrips;

namespace {
const char *const FrontPhase = "Moving the front";
} // namespace

MooreNeighborhoodFront::MooreNeighborhoodFront(Model::Automaton::TotalVolume &volume, std::uint32_t frontMaterial,
                                               std::uint32_t newMaterial, int steps, Interrupter *interrupter)
    : m_volume(volume)
    , m_frontMaterial(frontMaterial)
    , m_newMaterial(newMaterial)
    , m_steps(steps)
    , m_size{int(volume.sizeX()), int(volume.sizeY()), int(volume.sizeZ())}
    , m_threads(ParallelStrips::threadCount())
    , m_neighbours(m_size)
    , m_interrupter(interrupter)
{
}

MooreNeighborhoodFront::~MooreNeighborhoodFront() = default;

bool MooreNeighborhoodFront::run()
{
    // Material 0 both ways (an empty material choice) changes no cell, and
    // its front would pass back and forth through the empty cells for ever.
    if (m_frontMaterial == m_newMaterial || m_volume.cellCount() == 0)
        return runSteps(m_interrupter, FrontPhase, m_steps, [](int) { return false; });
    m_fronts.reset(ParallelStrips::split(0, m_size[0], m_threads, 2), m_volume.cellCount());
    Model::Automaton::LockedCellArrays arrays(m_volume);
    m_current = arrays.current();
    m_working = arrays.working();

    const auto &strips = m_fronts.strips();
    ParallelStrips::run(strips, [this](const Strip &strip) { seedStrip(strip); });
    ParallelStrips::run(strips, [this](const Strip &strip) { m_fronts.advance(strip.index); });
    // Between two steps every strip has committed: the cells are whole. A
    // step is two short passes: the team's helpers stay between them.
    Model::Automaton::StripTeam team(strips);
    const std::function<void(const Strip &)> compute = [this](const Strip &strip) { computeStep(strip); };
    const std::function<void(const Strip &)> commit = [this](const Strip &strip) {
        m_fronts.advance(strip.index, [this](std::size_t v) { m_current[v].material = m_working[v].material; });
    };
    const bool finished = runSteps(m_interrupter, FrontPhase, m_steps, [this, &team, &compute, &commit](int) {
        if (m_fronts.empty())
            return false;
        team.run(compute);
        team.run(commit);
        return !m_fronts.empty();
    });
    m_current = m_working = nullptr;
    m_fronts.clear();
    return finished;
}

void MooreNeighborhoodFront::coordinates(std::size_t index, int &x, int &y, int &z) const
{
    z = int(index % std::size_t(m_size[2]));
    const std::size_t column = index / std::size_t(m_size[2]);
    y = int(column % std::size_t(m_size[1]));
    x = int(column / std::size_t(m_size[1]));
}

void MooreNeighborhoodFront::seedStrip(const Strip &strip)
{
    const auto lock = m_fronts.beginNext(strip.index);
    std::size_t index = std::size_t(strip.first) * std::size_t(m_size[1]) * std::size_t(m_size[2]);
    for (int x = strip.first; x < strip.end; ++x)
        for (int y = 0; y < m_size[1]; ++y)
            for (int z = 0; z < m_size[2]; ++z, ++index) {
                if (m_current[index].material != m_frontMaterial)
                    continue;
                if (m_neighbours.find(x, y, z, index,
                                      [this](int, std::size_t n) { return startsFront(m_current[n].material); }))
                    m_fronts.add(strip.index, x, index);
            }
}

void MooreNeighborhoodFront::computeStep(const Strip &strip)
{
    const auto lock = m_fronts.beginNext(strip.index);
    for (const std::size_t v : m_fronts.front(strip.index)) {
        // A cell changed by the step before offered its neighbours then;
        // offering them again would only return cells that change now.
        if (m_current[v].material != m_frontMaterial)
            continue;
        m_working[v].material = m_newMaterial;
        int x, y, z;
        coordinates(v, x, y, z);
        m_neighbours.find(x, y, z, v, [this, &strip](int nx, std::size_t n) {
            if (m_current[n].material == m_frontMaterial)
                m_fronts.add(strip.index, nx, n);
            return false;
        });
    }
}

} // namespace Operations
} // namespace Core
