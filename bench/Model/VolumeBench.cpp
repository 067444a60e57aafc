// Building and cloning a cell volume of realistic size: what every created
// substrate, undo snapshot and batch run pays before any process runs.
#include "Model/Automaton/TotalVolume.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr unsigned SizeX = 200, SizeY = 200, SizeZ = 100;

std::vector<std::uint32_t> substrateMaterials()
{
    std::vector<std::uint32_t> materials(std::size_t(SizeX) * SizeY * SizeZ, 0);
    for (unsigned x = 0; x < SizeX; ++x)
        for (unsigned y = 0; y < SizeY; ++y)
            for (unsigned z = 0; z < 30; ++z)
                materials[z + SizeZ * (y + SizeY * std::size_t(x))] = 1;
    return materials;
}

void BM_ConstructVolume(benchmark::State &state)
{
    const auto materials = substrateMaterials();
    for (auto _ : state) {
        Model::Automaton::TotalVolume volume(SizeX, SizeY, SizeZ, 1, 1, 1, Util::Vector3D(), materials);
        benchmark::DoNotOptimize(volume.lockCells());
        volume.unlockCells();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(materials.size()));
    state.counters["cells/s"] = benchmark::Counter(double(materials.size()), benchmark::Counter::kIsIterationInvariantRate);
    // A volume holds two cell arrays, the current and the working one.
    state.counters["cell bytes/voxel"] = double(2 * sizeof(Model::Automaton::Voxel));
}
BENCHMARK(BM_ConstructVolume)->Unit(benchmark::kMillisecond);

void BM_CloneVolume(benchmark::State &state)
{
    Model::Automaton::TotalVolume volume(SizeX, SizeY, SizeZ, 1, 1, 1, Util::Vector3D(), substrateMaterials());
    for (auto _ : state) {
        delete volume.clone();
    }
    state.counters["cells/s"] = benchmark::Counter(double(volume.cellCount()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CloneVolume)->Unit(benchmark::kMillisecond);

} // namespace
