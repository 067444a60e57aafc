// Directional deposition (T = 10, R = 1 and 2), doping (T = 5), ion
// implantation (D = 10, A = 5) and thermal oxidation of 10 cells on a
// 200 x 200 x 100 silicon substrate with trenches, with one pool thread and
// with all of them.
#include "Core/Operations/Deposition/AnisotropicFilmDeposition.h"
#include "Core/Operations/Doping/IonImplantation.h"
#include "Core/Operations/Doping/SimpleDoping.h"
#include "Core/Operations/SiOxidation/SimpleSiOxidation.h"

#include "BenchSupport.h"

namespace {

using BenchSupport::measureOnTrenches;
using Model::Automaton::TotalVolume;
namespace Ops = Core::Operations;

void BM_DirectionalDeposition(benchmark::State &state)
{
    const float ratio = float(state.range(1));
    measureOnTrenches(state, [ratio](TotalVolume &v) {
        Ops::AnisotropicFilmDeposition(v, 4, 10.0f, ratio, Ops::AnisotropicFilmDeposition::Top).runDeposition();
    });
}
BENCHMARK(BM_DirectionalDeposition)->Args({1, 1})->Args({0, 1})->Args({1, 2})->Args({0, 2})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Doping(benchmark::State &state)
{
    measureOnTrenches(state, [](TotalVolume &v) { Ops::SimpleDoping(v, 15, 5.0f).runDoping(); });
}
BENCHMARK(BM_Doping)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IonImplantation(benchmark::State &state)
{
    measureOnTrenches(state, [](TotalVolume &v) { Ops::IonImplantation(v, 15, 10.0f, 5.0f).runImplantation(); });
}
BENCHMARK(BM_IonImplantation)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Oxidation(benchmark::State &state)
{
    measureOnTrenches(state, [](TotalVolume &v) { Ops::SimpleSiOxidation(v, 1.0).runOxidation(10.0); });
}
BENCHMARK(BM_Oxidation)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
