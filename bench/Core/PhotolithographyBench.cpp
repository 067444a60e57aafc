// Development of a 40-cell resist film on a 200 x 200 x 100 silicon
// substrate through a top mask of 20-cell stripes, with one pool thread
// and with all of them.
#include "Core/Operations/Photolithography/Photolithography.h"
#include "Model/Automaton/TotalVolume.h"

#include "BenchSupport.h"

#include <memory>

namespace {

using Model::Automaton::TotalVolume;

constexpr unsigned SizeX = 200, SizeY = 200, SizeZ = 100;
constexpr std::uint32_t Silicon = 1, Resist = 11;

const std::vector<std::uint32_t> &coated()
{
    static const std::vector<std::uint32_t> materials = [] {
        std::vector<std::uint32_t> m(std::size_t(SizeX) * SizeY * SizeZ, 0);
        for (std::size_t column = 0; column < std::size_t(SizeX) * SizeY; ++column)
            for (unsigned z = 0; z < 90; ++z)
                m[column * SizeZ + z] = z < 50 ? Silicon : Resist;
        return m;
    }();
    return materials;
}

Model::Automaton::CellMask stripes()
{
    Model::Automaton::CellMask mask;
    mask.width = int(SizeX);
    mask.height = int(SizeY);
    mask.bits.assign(std::size_t(SizeX) * SizeY, false);
    for (unsigned x = 0; x < SizeX; ++x)
        for (unsigned y = 0; y < SizeY; ++y)
            mask.bits[std::size_t(x) * SizeY + y] = (x / 20) % 2 == 0;
    return mask;
}

void BM_Development(benchmark::State &state)
{
    BenchSupport::setThreads(state);
    static std::unique_ptr<TotalVolume> v =
        std::make_unique<TotalVolume>(SizeX, SizeY, SizeZ, 1.0f, 1.0f, 1.0f, Util::Vector3D(), coated());
    const Model::Automaton::CellMask top = stripes();
    for (auto _ : state) {
        state.PauseTiming();
        BenchSupport::resetMaterials(*v, coated());
        state.ResumeTiming();
        Core::Operations::Photolithography(*v, Resist, Model::Automaton::CellMask(), top).runDevelopment();
    }
    state.counters["cells/s"] = benchmark::Counter(double(v->cellCount()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["threads"] = QThreadPool::globalInstance()->maxThreadCount();
    state.counters["peak MB"] = BenchSupport::peakMegabytes();
}
BENCHMARK(BM_Development)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
