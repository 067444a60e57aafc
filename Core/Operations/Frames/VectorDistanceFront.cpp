#include "Core/Operations/Frames/VectorDistanceFront.h"

#include "Core/Operations/Frames/Interrupter.h"
#include "Model/Automaton/StripTeam.h"
#include "Model/Automaton/TotalVolume.h"

#include <algorithm>
#include <cmath>

namespace Core {
namespace Operations {

using Model::Automaton::ParallelStrips;

namespace {

struct Offsets
{
    int count;
    int d[26][3];
};

// The six faces in step order, and the 26-neighbourhood in lexicographic
// order of (dx, dy, dz).
const Offsets &neighbourhood(bool moore)
{
    static const Offsets faces = {6, {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}}};
    static const Offsets all = [] {
        Offsets o{0, {}};
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dz = -1; dz <= 1; ++dz)
                    if (dx || dy || dz) {
                        o.d[o.count][0] = dx;
                        o.d[o.count][1] = dy;
                        o.d[o.count][2] = dz;
                        ++o.count;
                    }
        return o;
    }();
    return moore ? all : faces;
}

float squaredLength(float x, float y, float z)
{
    return x * x + y * y + z * z;
}

const char *const FrontPhase = "Moving the front";

} // namespace

const int VectorDistanceFront::FaceOffsets[6][3] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};

VectorDistanceFront::VectorDistanceFront(Model::Automaton::TotalVolume &volume, float thickness,
                                         const std::array<float, 3> &cellSizes, Interrupter *interrupter)
    : m_volume(volume)
    , m_thickness(thickness)
    , m_cellSizes(cellSizes)
    , m_size{int(volume.sizeX()), int(volume.sizeY()), int(volume.sizeZ())}
    , m_threads(ParallelStrips::threadCount())
    , m_interrupter(interrupter)
{
}

VectorDistanceFront::VectorDistanceFront(Model::Automaton::TotalVolume &volume, float thickness,
                                         Interrupter *interrupter)
    : VectorDistanceFront(volume, thickness, {volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()},
                          interrupter)
{
}

VectorDistanceFront::~VectorDistanceFront() = default;

std::array<float, 3> VectorDistanceFront::stepVector(int direction) const
{
    const int *d = FaceOffsets[direction];
    return {float(d[0]) * m_cellSizes[0], float(d[1]) * m_cellSizes[1], float(d[2]) * m_cellSizes[2]};
}

int VectorDistanceFront::stepCount(float thickness, float smallestEdge)
{
    if (!(thickness > 0.0f) || !(smallestEdge > 0.0f))
        return 0;
    const double count = double(std::ceil(thickness / smallestEdge)) * StepFactor;
    // A thickness beyond any volume would still only grow through its cells.
    constexpr double MaxSteps = 1 << 30;
    return int(std::min(std::trunc(count), MaxSteps));
}

int VectorDistanceFront::steps() const
{
    return stepCount(m_thickness, std::min({m_cellSizes[0], m_cellSizes[1], m_cellSizes[2]}));
}

bool VectorDistanceFront::run()
{
    for (int direction = 0; direction < 6; ++direction)
        m_steps[std::size_t(direction)] = stepVector(direction);
    m_fronts.reset(ParallelStrips::split(0, m_size[0], m_threads, 2), m_volume.cellCount());
    for (bool moore : {false, true}) {
        const Offsets &hood = neighbourhood(moore);
        auto &offsets = moore ? m_mooreIndexOffsets : m_faceIndexOffsets;
        offsets.clear();
        for (int n = 0; n < hood.count; ++n)
            offsets.push_back(std::ptrdiff_t(hood.d[n][2])
                              + std::ptrdiff_t(m_size[2]) * (hood.d[n][1] + std::ptrdiff_t(m_size[1]) * hood.d[n][0]));
    }

    Model::Automaton::LockedCellArrays arrays(m_volume);
    m_current = arrays.current();
    m_working = arrays.working();

    const auto &strips = m_fronts.strips();
    ParallelStrips::run(strips, [this](const ParallelStrips::Strip &strip) { seedStrip(strip); });
    ParallelStrips::run(strips, [this](const ParallelStrips::Strip &strip) { m_fronts.advance(strip.index); });
    // Between two steps every strip has committed: the cells are whole. A
    // step is two short passes: the team's helpers stay between them.
    Model::Automaton::StripTeam team(strips);
    const std::function<void(const ParallelStrips::Strip &)> compute = [this](const ParallelStrips::Strip &strip) {
        computeStep(strip);
    };
    const std::function<void(const ParallelStrips::Strip &)> commit = [this](const ParallelStrips::Strip &strip) {
        m_fronts.advance(strip.index, [this](std::size_t v) { m_current[v] = m_working[v]; });
    };
    const bool finished = runSteps(m_interrupter, FrontPhase, steps(), [this, &team, &compute, &commit](int) {
        if (m_fronts.empty())
            return false;
        team.run(compute);
        team.run(commit);
        return !m_fronts.empty();
    });
    if (finished)
        ParallelStrips::run(strips, [this](const ParallelStrips::Strip &strip) { finishStrip(strip); });
    m_current = m_working = nullptr;
    m_fronts.clear();
    return finished;
}

const std::vector<std::ptrdiff_t> &VectorDistanceFront::indexOffsets(Neighbourhood hood) const
{
    return hood == Neighbourhood::Moore ? m_mooreIndexOffsets : m_faceIndexOffsets;
}

void VectorDistanceFront::setSeed(std::size_t index, SeedKind kind)
{
    const std::uint8_t fixed = kind == SeedKind::Open ? 0 : 1;
    const float v = kind == SeedKind::Source ? 0.0f : m_thickness;
    // The working cell starts as a copy of the current one: a commit copies
    // it back whole. The current cell's material is left alone, since
    // neighbouring strips read it while they seed.
    const Voxel &source = m_current[index];
    m_working[index] = source;
    for (Voxel *cells : {m_current, m_working}) {
        Voxel &cell = cells[index];
        cell.fixed = fixed;
        cell.dx = cell.dy = cell.dz = v;
    }
}

void VectorDistanceFront::seedStrip(const ParallelStrips::Strip &strip)
{
    const auto lock = m_fronts.beginNext(strip.index);
    const Offsets &hood = neighbourhood(frontNeighbourhood() == Neighbourhood::Moore);
    const std::vector<std::ptrdiff_t> &offsets = indexOffsets(frontNeighbourhood());
    for (int x = strip.first; x < strip.end; ++x)
        for (int y = 0; y < m_size[1]; ++y)
            for (int z = 0; z < m_size[2]; ++z) {
                const std::size_t index = cellIndex(x, y, z);
                const SeedResult result = seed(m_current, x, y, z);
                setSeed(index, result.kind);
                if (!result.candidate)
                    continue;
                if (interior(x, y, z)) {
                    for (const std::ptrdiff_t offset : offsets) {
                        if (joinsFront(m_current[std::size_t(std::ptrdiff_t(index) + offset)])) {
                            m_fronts.add(strip.index, x, index);
                            break;
                        }
                    }
                    continue;
                }
                for (int n = 0; n < hood.count; ++n) {
                    const int nx = x + hood.d[n][0], ny = y + hood.d[n][1], nz = z + hood.d[n][2];
                    if (inside(nx, ny, nz) && joinsFront(m_current[cellIndex(nx, ny, nz)])) {
                        m_fronts.add(strip.index, x, index);
                        break;
                    }
                }
            }
}

void VectorDistanceFront::addToFront(unsigned strip, int x, std::size_t index)
{
    m_fronts.add(strip, x, index);
}

void VectorDistanceFront::coordinates(std::size_t index, int &x, int &y, int &z) const
{
    z = int(index % std::size_t(m_size[2]));
    const std::size_t column = index / std::size_t(m_size[2]);
    y = int(column % std::size_t(m_size[1]));
    x = int(column / std::size_t(m_size[1]));
}

void VectorDistanceFront::computeStep(const ParallelStrips::Strip &strip)
{
    const auto lock = m_fronts.beginNext(strip.index);
    const Offsets &spread = neighbourhood(spreadNeighbourhood() == Neighbourhood::Moore);
    const std::vector<std::ptrdiff_t> &spreadOffsets = indexOffsets(spreadNeighbourhood());

    for (const std::size_t v : m_fronts.front(strip.index)) {
        const Voxel &cell = m_current[v];
        if (cell.fixed == 1 || !takesPart(cell))
            continue;
        int x, y, z;
        coordinates(v, x, y, z);
        const float limit = squaredBound(cell);
        float best = squaredLength(cell.dx, cell.dy, cell.dz);
        bool improved = false;
        float bx = 0, by = 0, bz = 0;
        for (int k = 0; k < 6; ++k) {
            const int wx = x + FaceOffsets[k][0], wy = y + FaceOffsets[k][1], wz = z + FaceOffsets[k][2];
            if (!inside(wx, wy, wz))
                continue;
            const Voxel &w = m_current[cellIndex(wx, wy, wz)];
            const auto &step = m_steps[std::size_t(k)];
            const float cx = w.dx + step[0], cy = w.dy + step[1], cz = w.dz + step[2];
            const float length = squaredLength(cx, cy, cz);
            // Strictly shorter: ties keep the earlier direction.
            if (length < best && length <= limit) {
                best = length;
                bx = cx;
                by = cy;
                bz = cz;
                improved = true;
            }
        }
        if (!improved)
            continue;
        Voxel &target = m_working[v];
        target.material = reachedMaterial(cell);
        target.fixed = 0;
        target.dx = bx;
        target.dy = by;
        target.dz = bz;
        const bool away = interior(x, y, z);
        for (int n = 0; n < spread.count; ++n) {
            const int nx = x + spread.d[n][0];
            std::size_t neighbour;
            if (away) {
                neighbour = std::size_t(std::ptrdiff_t(v) + spreadOffsets[std::size_t(n)]);
            } else {
                const int ny = y + spread.d[n][1], nz = z + spread.d[n][2];
                if (!inside(nx, ny, nz))
                    continue;
                neighbour = cellIndex(nx, ny, nz);
            }
            if (spreadsTo(m_current[neighbour]))
                m_fronts.add(strip.index, nx, neighbour);
        }
    }
}

} // namespace Operations
} // namespace Core
