// The Si lattice of a 100 x 100 x 80 silicon volume whose top is covered by
// an oxide mask with a square opening, and a depth-10 atomistic and
// continuous wet etch through the opening, with one pool thread and all,
// and with their progress followed as the window and the batch program do.
#include "Core/Operations/Frames/StepProgress.h"
#include "Core/Operations/SiEtching/AtomicStructureSimpleSiWetEtch.h"
#include "Core/Operations/SiEtching/ContinuosWetEtching.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/TotalVolume.h"

#include "BenchSupport.h"

#include <memory>

namespace {

using Model::Automaton::TotalVolume;

constexpr unsigned SizeX = 100, SizeY = 100, SizeZ = 80;

const std::vector<std::uint32_t> &maskedSilicon()
{
    static const std::vector<std::uint32_t> materials = [] {
        std::vector<std::uint32_t> m(std::size_t(SizeX) * SizeY * SizeZ, 0);
        for (unsigned x = 0; x < SizeX; ++x)
            for (unsigned y = 0; y < SizeY; ++y) {
                const bool opening = x >= 30 && x < 70 && y >= 30 && y < 70;
                for (unsigned z = 0; z < 71; ++z)
                    m[z + SizeZ * (y + SizeY * std::size_t(x))] = z < 70 ? 1u : (opening ? 0u : 3u);
            }
        return m;
    }();
    return materials;
}

TotalVolume &volume()
{
    static auto v = std::make_unique<TotalVolume>(SizeX, SizeY, SizeZ, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                  maskedSilicon());
    return *v;
}

void reset(TotalVolume &v)
{
    BenchSupport::resetMaterials(v, maskedSilicon());
    v.rebuildSiLattice();
}

std::size_t atomCount(TotalVolume &v)
{
    return v.siLattice()->atomCount();
}

void report(benchmark::State &state, TotalVolume &v)
{
    const std::size_t atoms = atomCount(v);
    state.counters["atoms"] = double(atoms);
    state.counters["atoms/s"] = benchmark::Counter(double(atoms), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak MB"] = BenchSupport::peakMegabytes();
    state.counters["lattice B/atom"] = double(v.siLattice()->memoryBytes()) / double(atoms);
    state.counters["threads"] = QThreadPool::globalInstance()->maxThreadCount();
}

void BM_BuildLattice(benchmark::State &state)
{
    BenchSupport::setThreads(state);
    TotalVolume &v = volume();
    for (auto _ : state)
        v.rebuildSiLattice();
    report(state, v);
}
BENCHMARK(BM_BuildLattice)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BuildLatticeWithProgress(benchmark::State &state)
{
    BenchSupport::setThreads(state);
    TotalVolume &v = volume();
    Core::Operations::StepProgress progress;
    const auto follow = [&progress](unsigned done, unsigned total) {
        return !Core::Operations::stopRequested(&progress, "Building the Si lattice", int(done), int(total));
    };
    for (auto _ : state)
        v.rebuildSiLattice(follow);
    report(state, v);
}
BENCHMARK(BM_BuildLatticeWithProgress)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

template<typename Etch>
void etch(benchmark::State &state, Core::Operations::Interrupter *interrupter = nullptr)
{
    BenchSupport::setThreads(state);
    TotalVolume &v = volume();
    for (auto _ : state) {
        state.PauseTiming();
        reset(v);
        state.ResumeTiming();
        Etch(v, 10.0, interrupter).runEtching();
    }
    report(state, v);
}

void BM_AtomisticEtch(benchmark::State &state)
{
    etch<Core::Operations::AtomicStructureSimpleSiWetEtch>(state);
}
BENCHMARK(BM_AtomisticEtch)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ContinuousEtch(benchmark::State &state)
{
    etch<Core::Operations::ContinuosWetEtching>(state);
}
BENCHMARK(BM_ContinuousEtch)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AtomisticEtchWithProgress(benchmark::State &state)
{
    Core::Operations::StepProgress progress;
    etch<Core::Operations::AtomicStructureSimpleSiWetEtch>(state, &progress);
}
BENCHMARK(BM_AtomisticEtchWithProgress)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ContinuousEtchWithProgress(benchmark::State &state)
{
    Core::Operations::StepProgress progress;
    etch<Core::Operations::ContinuosWetEtching>(state, &progress);
}
BENCHMARK(BM_ContinuousEtchWithProgress)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
