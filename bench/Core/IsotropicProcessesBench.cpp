// Isotropic deposition and etching with T = 10 on a 200 x 200 x 100 silicon
// substrate with trenches, with one pool thread and with all of them, and
// with their progress followed as the window and the batch program do
// (and what one report costs).
#include "Core/Operations/Frames/StepProgress.h"
#include "Core/Operations/Isotropic/IsotropicFilmDeposition.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtching.h"
#include "Model/Automaton/TotalVolume.h"

#include "TrenchVolume.h"

namespace {

using Model::Automaton::TotalVolume;

template<typename Run>
void measure(benchmark::State &state, Run run)
{
    BenchSupport::measureOnTrenches(state, run);
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
