#pragma once

#include "BenchSupport.h"

#include <memory>

namespace BenchSupport {

// A 200 x 200 x 100 silicon substrate, 50 cells high, with trenches down to
// 20 cells: the volume the process benchmarks run on.
constexpr unsigned TrenchSizeX = 200, TrenchSizeY = 200, TrenchSizeZ = 100;

inline const std::vector<std::uint32_t> &trenchMaterials()
{
    static const std::vector<std::uint32_t> materials = [] {
        std::vector<std::uint32_t> m(std::size_t(TrenchSizeX) * TrenchSizeY * TrenchSizeZ, 0);
        for (unsigned x = 0; x < TrenchSizeX; ++x)
            for (unsigned y = 0; y < TrenchSizeY; ++y) {
                const bool trench = (x / 20) % 2 == 1 && y > 20 && y < 180;
                for (unsigned z = 0; z < (trench ? 20u : 50u); ++z)
                    m[z + TrenchSizeZ * (y + TrenchSizeY * std::size_t(x))] = 1;
            }
        return m;
    }();
    return materials;
}

inline Model::Automaton::TotalVolume &trenchVolume()
{
    static std::unique_ptr<Model::Automaton::TotalVolume> v = std::make_unique<Model::Automaton::TotalVolume>(
        TrenchSizeX, TrenchSizeY, TrenchSizeZ, 1.0f, 1.0f, 1.0f, Util::Vector3D(), trenchMaterials());
    return *v;
}

// Runs `run` on the trench volume, put back before each iteration, with the
// pool size of argument 0; counts cells per second, threads and peak memory.
template<typename Run>
void measureOnTrenches(benchmark::State &state, Run run)
{
    setThreads(state);
    Model::Automaton::TotalVolume &v = trenchVolume();
    for (auto _ : state) {
        state.PauseTiming();
        resetMaterials(v, trenchMaterials());
        state.ResumeTiming();
        run(v);
    }
    state.counters["cells/s"] = benchmark::Counter(double(v.cellCount()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["threads"] = QThreadPool::globalInstance()->maxThreadCount();
    state.counters["peak MB"] = peakMegabytes();
}

} // namespace BenchSupport
