// Rebuilding the atomistic view of a 100 x 100 x 80 silicon volume whose
// top has been etched into steps, with atoms and bonds, surface atoms only
// (as the view starts) and all atoms: milliseconds, atoms and bond
// vertices. The lattice is laid once; each iteration builds the view's
// data from it as a frame does after a change.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Geometry/AtomGeometryBuilder.h"

#include "BenchSupport.h"

#include <memory>

namespace {

using Model::Automaton::TotalVolume;

constexpr unsigned SizeX = 100, SizeY = 100, SizeZ = 80;

TotalVolume &siliconVolume()
{
    static std::unique_ptr<TotalVolume> volume = [] {
        std::vector<std::uint32_t> m(std::size_t(SizeX) * SizeY * SizeZ, 0);
        for (unsigned x = 0; x < SizeX; ++x)
            for (unsigned y = 0; y < SizeY; ++y) {
                // Terraces 10 cells wide, one cell apart in height.
                const unsigned top = 60 + (x / 10 + y / 10) % 8;
                for (unsigned z = 0; z < top; ++z)
                    m[z + SizeZ * (y + SizeY * std::size_t(x))] = 1;
            }
        auto v = std::make_unique<TotalVolume>(SizeX, SizeY, SizeZ, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
        v->rebuildSiLattice();
        return v;
    }();
    return *volume;
}

void rebuildAtoms(benchmark::State &state, bool surfaceOnly)
{
    TotalVolume &volume = siliconVolume();
    auto options = volume.viewOptions();
    options.atomView.atoms = options.atomView.atomLinks = true;
    options.atomView.surfaceAtomsOnly = surfaceOnly;
    Model::Geometry::AtomGeometry geometry;
    for (auto _ : state) {
        Model::Automaton::LockedCells cells(volume);
        geometry = Model::Geometry::AtomGeometryBuilder::build(volume, options);
    }
    state.counters["atoms"] = double(geometry.atoms.size());
    state.counters["bond vertices"] = double(geometry.bondVertices.size());
    state.counters["peak MB"] = BenchSupport::peakMegabytes();
}

void BM_AtomsAndBondsOfTheSurface(benchmark::State &state)
{
    rebuildAtoms(state, true);
}
BENCHMARK(BM_AtomsAndBondsOfTheSurface)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AtomsAndBondsOfTheWholeLattice(benchmark::State &state)
{
    rebuildAtoms(state, false);
}
BENCHMARK(BM_AtomsAndBondsOfTheWholeLattice)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
