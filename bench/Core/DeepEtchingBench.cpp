// Deep reactive ion etching: 50 cycles (pulse 3, film 1) on a 200 x 200 x 200
// silicon wafer under an oxide mask with trench openings 4, 8, 16 and 32
// cells wide, without and with the aspect-ratio dependence, one pool
// thread and all of them; reports the time per cycle.
#include "Core/Operations/DeepEtching/DeepReactiveIonEtching.h"

#include "BenchSupport.h"

namespace {

using namespace Core::Operations;
using Model::Automaton::TotalVolume;

constexpr unsigned Size = 200, WaferTop = 180, MaskTop = 182;
constexpr int Cycles = 50;

const std::vector<std::uint32_t> &maskedWafer()
{
    static const std::vector<std::uint32_t> materials = [] {
        std::vector<std::uint32_t> m(std::size_t(Size) * Size * Size, 0);
        // Openings x 20..23, 60..67, 100..115, 140..171, along y 20..179.
        const auto open = [](unsigned x, unsigned y) {
            if (y < 20 || y >= 180)
                return false;
            return (x >= 20 && x < 24) || (x >= 60 && x < 68) || (x >= 100 && x < 116) || (x >= 140 && x < 172);
        };
        for (unsigned x = 0; x < Size; ++x)
            for (unsigned y = 0; y < Size; ++y)
                for (unsigned z = 0; z < MaskTop; ++z)
                    m[z + Size * (y + Size * std::size_t(x))] = z < WaferTop ? 1u : open(x, y) ? 0u : 3u;
        return m;
    }();
    return materials;
}

void BM_DeepReactiveIonEtching(benchmark::State &state)
{
    BenchSupport::setThreads(state);
    static TotalVolume v(Size, Size, Size, 1.0f, 1.0f, 1.0f, Util::Vector3D(), maskedWafer());
    DeepEtchRecipe recipe;
    recipe.passivation = 13;
    recipe.cycles = Cycles;
    recipe.depthPerCycle = 3.0f;
    recipe.passivationThickness = 1.0f;
    recipe.aspectRatioDependent = state.range(1) != 0;
    int cycles = 0;
    for (auto _ : state) {
        state.PauseTiming();
        BenchSupport::resetMaterials(v, maskedWafer());
        state.ResumeTiming();
        DeepReactiveIonEtching etch(v, recipe);
        etch.run();
        cycles += etch.cyclesRun();
    }
    state.counters["cycles/s"] = benchmark::Counter(double(cycles), benchmark::Counter::kIsRate);
    state.counters["cells/s"] = benchmark::Counter(double(v.cellCount()) * Cycles,
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.counters["threads"] = QThreadPool::globalInstance()->maxThreadCount();
    state.counters["peak MB"] = BenchSupport::peakMegabytes();
}
BENCHMARK(BM_DeepReactiveIonEtching)
    ->ArgNames({"threads", "aspect"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
