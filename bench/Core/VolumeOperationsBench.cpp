// Gluing two 200 x 200 x 100 substrates, each filled to half its height,
// with one pool thread and with all of them; and lifting a 200 x 200 x 50
// film off one of them (a single thread by design).
#include "Core/Operations/Volumes/FilmExtraction.h"
#include "Core/Operations/Volumes/GlueLayout.h"
#include "Core/Operations/Volumes/SubstrateGluing.h"
#include "Model/Automaton/TotalVolume.h"

#include "BenchSupport.h"

#include <memory>

namespace {

using Model::Automaton::TotalVolume;

constexpr unsigned SizeX = 200, SizeY = 200, SizeZ = 100;

TotalVolume &substrate()
{
    static std::unique_ptr<TotalVolume> volume = [] {
        std::vector<std::uint32_t> m(std::size_t(SizeX) * SizeY * SizeZ, 0);
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = i % SizeZ < SizeZ / 2 ? 1u : 0u;
        return std::make_unique<TotalVolume>(SizeX, SizeY, SizeZ, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
    }();
    return *volume;
}

TotalVolume &top()
{
    static std::unique_ptr<TotalVolume> volume(substrate().clone());
    return *volume;
}

void BM_GlueSubstrates(benchmark::State &state)
{
    BenchSupport::setThreads(state);
    const Core::Operations::GlueLayout layout = Core::Operations::GlueLayout::measure(substrate(), top());
    Core::Operations::GluePlacement placement;
    placement.sizeX = layout.finalX;
    placement.sizeY = layout.finalY;
    placement.sizeZ = layout.stackedHeight;
    placement.invert = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Core::Operations::SubstrateGluing::gluedMaterials(substrate(), top(), layout, placement).data());
    state.counters["cells/s"] = benchmark::Counter(double(std::size_t(placement.sizeX) * placement.sizeY
                                                          * placement.sizeZ),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.counters["threads"] = QThreadPool::globalInstance()->maxThreadCount();
    state.counters["peak MB"] = BenchSupport::peakMegabytes();
}
BENCHMARK(BM_GlueSubstrates)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExtractFilm(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Core::Operations::FilmExtraction::extract(substrate(), 1, true).cellCount);
    state.counters["cells/s"] =
        benchmark::Counter(double(substrate().cellCount()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak MB"] = BenchSupport::peakMegabytes();
}
BENCHMARK(BM_ExtractFilm)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
