// Isotropic deposition and etching with T = 10 on a 200 x 200 x 100 silicon
// substrate with trenches, with one pool thread and with all of them, and
// with their progress followed as the window and the batch program do
// (and what one report costs).
#include "Core/Operations/Frames/StepProgress.h"
#include "Core/Operations/Isotropic/IsotropicFilmDeposition.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtching.h"
#include "Model/Automaton/TotalVolume.h"

#include "BenchSupport.h"

#include <memory>

namespace {

using Model::Automaton::TotalVolume;

constexpr unsigned SizeX = 200, SizeY = 200, SizeZ = 100;

const std::vector<std::uint32_t> &trenches()
{
    static const std::vector<std::uint32_t> materials = [] {
        std::vector<std::uint32_t> m(std::size_t(SizeX) * SizeY * SizeZ, 0);
        for (unsigned x = 0; x < SizeX; ++x)
            for (unsigned y = 0; y < SizeY; ++y) {
                const bool trench = (x / 20) % 2 == 1 && y > 20 && y < 180;
                for (unsigned z = 0; z < (trench ? 20u : 50u); ++z)
                    m[z + SizeZ * (y + SizeY * std::size_t(x))] = 1;
            }
        return m;
    }();
    return materials;
}

TotalVolume &volume()
{
    static std::unique_ptr<TotalVolume> v =
        std::make_unique<TotalVolume>(SizeX, SizeY, SizeZ, 1.0f, 1.0f, 1.0f, Util::Vector3D(), trenches());
    return *v;
}


template<typename Run>
void measure(benchmark::State &state, Run run)
{
    BenchSupport::setThreads(state);
    TotalVolume &v = volume();
    for (auto _ : state) {
        state.PauseTiming();
        BenchSupport::resetMaterials(v, trenches());
        state.ResumeTiming();
        run(v);
    }
    state.counters["cells/s"] = benchmark::Counter(double(v.cellCount()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["threads"] = QThreadPool::globalInstance()->maxThreadCount();
    state.counters["peak MB"] = BenchSupport::peakMegabytes();
}

void BM_IsotropicDeposition(benchmark::State &state)
{
    measure(state, [](TotalVolume &v) { Core::Operations::IsotropicFilmDeposition(v, 3, 10.0f).runDeposition(); });
}
BENCHMARK(BM_IsotropicDeposition)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IsotropicEtching(benchmark::State &state)
{
    measure(state, [](TotalVolume &v) { Core::Operations::IsotropicFilmEtching(v, 1, 10.0f).runEtching(); });
}
BENCHMARK(BM_IsotropicEtching)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IsotropicDepositionWithProgress(benchmark::State &state)
{
    Core::Operations::StepProgress progress;
    measure(state, [&progress](TotalVolume &v) {
        Core::Operations::IsotropicFilmDeposition(v, 3, 10.0f, &progress).runDeposition();
    });
}
BENCHMARK(BM_IsotropicDepositionWithProgress)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IsotropicEtchingWithProgress(benchmark::State &state)
{
    Core::Operations::StepProgress progress;
    measure(state, [&progress](TotalVolume &v) {
        Core::Operations::IsotropicFilmEtching(v, 1, 10.0f, &progress).runEtching();
    });
}
BENCHMARK(BM_IsotropicEtchingWithProgress)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// What following the progress costs a run: one report and check per step
// (T = 10 takes 17 steps), against runs of hundreds of milliseconds.
void BM_StepReport(benchmark::State &state)
{
    Core::Operations::StepProgress progress;
    int step = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(Core::Operations::stopRequested(&progress, "Moving the front", ++step, 17));
}
BENCHMARK(BM_StepReport);

} // namespace
