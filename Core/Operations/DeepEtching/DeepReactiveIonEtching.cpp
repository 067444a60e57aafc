#include "Core/Operations/DeepEtching/DeepReactiveIonEtching.h"

#include "Core/Operations/DeepEtching/OpeningViewFactor.h"
#include "Core/Operations/Frames/Interrupter.h"
#include "Core/Operations/Isotropic/IsotropicFilmDeposition.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtching.h"
#include "Model/Automaton/ParallelStrips.h"
#include "Model/Automaton/TotalVolume.h"

#include <atomic>
#include <cmath>

namespace Core {
namespace Operations {

using Model::Automaton::ParallelStrips;
using Model::Automaton::TotalVolume;

namespace {

const char *const CyclePhase = "Etching cycles";

// One isotropic pulse. With reach factors, a cell the pulse etched further
// from its source than the depth times its source column's factor is given
// back its material once the front has settled: the vector to the source
// says where the etchant came in.
class BoundedPulse : public IsotropicFilmEtching
{
public:
    BoundedPulse(TotalVolume &volume, std::uint32_t material, float depth, const std::vector<float> &reach,
                 float edgeX, float edgeY)
        : IsotropicFilmEtching(volume, material, depth)
        , m_material(material)
        , m_reach(reach)
        , m_edgeX(edgeX)
        , m_edgeY(edgeY)
    {
    }

    std::size_t etched() const { return m_etched.load(); }

protected:
    void finishStrip(const ParallelStrips::Strip &strip) override
    {
        const std::array<int, 3> &n = size();
        const float depth = thickness();
        std::size_t etched = 0;
        for (int x = strip.first; x < strip.end; ++x) {
            for (int y = 0; y < n[1]; ++y) {
                for (int z = 0; z < n[2]; ++z) {
                    const std::size_t index = cellIndex(x, y, z);
                    Voxel &cell = current()[index];
                    // Sources are the empty cells, fixed; a cell the front
                    // emptied is not.
                    if (cell.material != 0 || cell.fixed != 0)
                        continue;
                    if (!m_reach.empty()) {
                        const int sx = clamp(x + int(std::lround(cell.dx / m_edgeX)), n[0]);
                        const int sy = clamp(y + int(std::lround(cell.dy / m_edgeY)), n[1]);
                        const float bound = depth * m_reach[std::size_t(sx) * std::size_t(n[1]) + std::size_t(sy)];
                        if (cell.dx * cell.dx + cell.dy * cell.dy + cell.dz * cell.dz > bound * bound) {
                            cell.material = working()[index].material = m_material;
                            continue;
                        }
                    }
                    ++etched;
                }
            }
        }
        m_etched += etched;
    }

private:
    static int clamp(int i, int count) { return i < 0 ? 0 : i >= count ? count - 1 : i; }

    const std::uint32_t m_material;
    const std::vector<float> &m_reach;
    const float m_edgeX;
    const float m_edgeY;
    std::atomic<std::size_t> m_etched{0};
};

// Calls `column(cells, first index of the column)` for every column, by strips.
template<typename Column>
void forEachColumn(TotalVolume &volume, Model::Automaton::Voxel *cells, const Column &column)
{
    const std::size_t height = volume.sizeZ();
    const unsigned sizeY = volume.sizeY();
    ParallelStrips::run(ParallelStrips::split(0, int(volume.sizeX()), ParallelStrips::threadCount()),
                        [&](const ParallelStrips::Strip &strip) {
                            for (int x = strip.first; x < strip.end; ++x)
                                for (unsigned y = 0; y < sizeY; ++y)
                                    column(cells, (std::size_t(x) * sizeY + y) * height, x, y);
                        });
}

} // namespace

DeepReactiveIonEtching::DeepReactiveIonEtching(TotalVolume &volume, const DeepEtchRecipe &recipe,
                                               Interrupter *interrupter)
    : m_volume(volume)
    , m_recipe(recipe)
    , m_interrupter(interrupter)
{
}

bool DeepReactiveIonEtching::run()
{
    {
        Model::Automaton::LockedCells cells(m_volume);
        std::atomic<bool> found{false};
        forEachColumn(m_volume, cells.get(), [&](Model::Automaton::Voxel *all, std::size_t first, int, int) {
            for (std::size_t z = 0; z < m_volume.sizeZ() && !found; ++z)
                if (all[first + z].material == m_recipe.etched)
                    found = true;
        });
        m_hadEtchedMaterial = found;
    }
    const int cycles = m_hadEtchedMaterial && m_recipe.depthPerCycle > 0.0f ? m_recipe.cycles : 0;
    const bool film = m_recipe.passivationThickness > 0.0f && m_recipe.passivation != 0;
    const bool finished = runSteps(m_interrupter, CyclePhase, cycles, [this, film](int) {
        if (film) {
            passivate();
            clearUpFacingFilm();
        }
        const std::size_t etched = etchPulse();
        ++m_cyclesRun;
        return etched > 0;
    });
    if (finished && film && m_recipe.stripPassivation)
        stripFilm();
    m_volume.markCellsChanged();
    return finished;
}

void DeepReactiveIonEtching::passivate()
{
    // The etch pulses wear the film away: each cycle lays a fresh one.
    stripFilm();
    IsotropicFilmDeposition(m_volume, m_recipe.passivation, m_recipe.passivationThickness).runDeposition();
}

void DeepReactiveIonEtching::clearUpFacingFilm()
{
    // The ions come straight down: they take away the film a column shows
    // to the sky, down to what lies under it. Film in the shadow of the mask
    // or of an overhang stays, and so does the film on vertical walls.
    const std::uint32_t film = m_recipe.passivation;
    const std::size_t height = m_volume.sizeZ();
    Model::Automaton::LockedCellArrays arrays(m_volume);
    Model::Automaton::Voxel *working = arrays.working();
    forEachColumn(m_volume, arrays.current(), [&](Model::Automaton::Voxel *cells, std::size_t first, int, int) {
        std::size_t z = height;
        while (z > 0 && cells[first + z - 1].material == 0)
            --z;
        for (; z > 0 && cells[first + z - 1].material == film; --z)
            cells[first + z - 1].material = working[first + z - 1].material = 0;
    });
}

std::size_t DeepReactiveIonEtching::etchPulse()
{
    std::vector<float> reach;
    const float edgeX = m_volume.cellsizeX(), edgeY = m_volume.cellsizeY();
    if (m_recipe.aspectRatioDependent) {
        std::vector<float> tops(std::size_t(m_volume.sizeX()) * m_volume.sizeY(), 0.0f);
        const float edgeZ = m_volume.cellsizeZ();
        const std::size_t height = m_volume.sizeZ();
        const unsigned sizeY = m_volume.sizeY();
        Model::Automaton::LockedCells cells(m_volume);
        forEachColumn(m_volume, cells.get(), [&](Model::Automaton::Voxel *all, std::size_t first, int x, int y) {
            std::size_t z = height;
            while (z > 0 && all[first + z - 1].material == 0)
                --z;
            tops[std::size_t(x) * sizeY + std::size_t(y)] = float(z) * edgeZ;
        });
        reach = OpeningViewFactor::of(tops, int(m_volume.sizeX()), int(sizeY), edgeX, edgeY);
    }
    BoundedPulse pulse(m_volume, m_recipe.etched, m_recipe.depthPerCycle, reach, edgeX, edgeY);
    pulse.runEtching();
    return pulse.etched();
}

void DeepReactiveIonEtching::stripFilm()
{
    const std::uint32_t film = m_recipe.passivation;
    const std::size_t height = m_volume.sizeZ();
    Model::Automaton::LockedCellArrays arrays(m_volume);
    Model::Automaton::Voxel *working = arrays.working();
    forEachColumn(m_volume, arrays.current(), [&](Model::Automaton::Voxel *cells, std::size_t first, int, int) {
        for (std::size_t z = 0; z < height; ++z)
            if (cells[first + z].material == film)
                cells[first + z].material = working[first + z].material = 0;
    });
}

} // namespace Operations
} // namespace Core
