#pragma once

#include "Model/Automaton/TotalVolume.h"

#include <QThread>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace BenchSupport {

// Argument 0 of a benchmark is its pool size; 0 means all threads.
inline void setThreads(const benchmark::State &state)
{
    QThreadPool::globalInstance()->setMaxThreadCount(state.range(0) == 0 ? QThread::idealThreadCount()
                                                                         : int(state.range(0)));
}

inline double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Puts the materials back into both cell arrays between iterations.
inline void resetMaterials(Model::Automaton::TotalVolume &volume, const std::vector<std::uint32_t> &materials)
{
    Model::Automaton::LockedCellArrays arrays(volume);
    for (std::size_t i = 0; i < materials.size() && i < volume.cellCount(); ++i)
        arrays.current()[i].material = arrays.working()[i].material = materials[i];
}

// A 200 x 200 x 100 volume with a silicon substrate 50 cells thick, cut by
// trenches 20 cells wide and 30 deep: the process benchmarks' work piece.
constexpr unsigned TrenchSizeX = 200, TrenchSizeY = 200, TrenchSizeZ = 100;

inline const std::vector<std::uint32_t> &trenches()
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

inline Model::Automaton::TotalVolume &trenchedVolume()
{
    static std::unique_ptr<Model::Automaton::TotalVolume> v = std::make_unique<Model::Automaton::TotalVolume>(
        TrenchSizeX, TrenchSizeY, TrenchSizeZ, 1.0f, 1.0f, 1.0f, Util::Vector3D(), trenches());
    return *v;
}

// Times `run` on the trenched volume, put back before every iteration, with
// the pool size of argument 0; counts cells per second, threads and the
// peak memory.
template<typename Run>
void measureOnTrenches(benchmark::State &state, Run run)
{
    setThreads(state);
    Model::Automaton::TotalVolume &v = trenchedVolume();
    for (auto _ : state) {
        state.PauseTiming();
        resetMaterials(v, trenches());
        state.ResumeTiming();
        run(v);
    }
    state.counters["cells/s"] = benchmark::Counter(double(v.cellCount()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["threads"] = QThreadPool::globalInstance()->maxThreadCount();
    state.counters["peak MB"] = peakMegabytes();
}

} // namespace BenchSupport
