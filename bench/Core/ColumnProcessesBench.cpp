// Moore deposition of 10 steps, simple RIE of 20 steps from both sides,
// planarization and spin coating on a 200 x 200 x 100 silicon substrate
// with trenches, with one pool thread and with all of them.
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodDeposition.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodEtching.h"
#include "Core/Operations/Planarization/Planarization.h"
#include "Core/Operations/Planarization/SpinCoating.h"
#include "Core/Operations/ReactiveIonEtching/SimpleReactiveIonEtching.h"

#include "BenchSupport.h"

namespace {

using namespace Core::Operations;
using BenchSupport::measureOnTrenches;
using Model::Automaton::TotalVolume;

void BM_MooreDeposition(benchmark::State &state)
{
    measureOnTrenches(state, [](TotalVolume &v) { MooreNeighborhoodDeposition(v, 3, 10).runDeposition(); });
}
BENCHMARK(BM_MooreDeposition)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MooreEtching(benchmark::State &state)
{
    measureOnTrenches(state, [](TotalVolume &v) { MooreNeighborhoodEtching(v, 1, 10).runEtching(); });
}
BENCHMARK(BM_MooreEtching)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SimpleRieBothSides(benchmark::State &state)
{
    measureOnTrenches(state, [](TotalVolume &v) {
        SimpleReactiveIonEtching(v, 1, 20, SimpleReactiveIonEtching::FromTop | SimpleReactiveIonEtching::FromBelow)
            .runEtching();
    });
}
BENCHMARK(BM_SimpleRieBothSides)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Planarization(benchmark::State &state)
{
    measureOnTrenches(state, [](TotalVolume &v) { Planarization(v, 40, 5).runPlanarization(); });
}
BENCHMARK(BM_Planarization)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SpinCoating(benchmark::State &state)
{
    measureOnTrenches(state, [](TotalVolume &v) { SpinCoating(v, 11, 60).runSpinCoating(); });
}
BENCHMARK(BM_SpinCoating)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
