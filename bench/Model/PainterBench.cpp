// Surface generation of the painter on a realistic volume: a 200 x 200 x 100
// silicon substrate with trenches and an oxide film, with one pool thread and
// with all of them.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Automaton/TotalVolumePainter.h"

#include "BenchSupport.h"

#include <memory>

namespace {

using Model::Automaton::TotalVolume;
using Model::Automaton::TotalVolumePainter;

constexpr unsigned SizeX = 200, SizeY = 200, SizeZ = 100;

TotalVolume &structure()
{
    static std::unique_ptr<TotalVolume> volume = [] {
        std::vector<std::uint32_t> m(std::size_t(SizeX) * SizeY * SizeZ, 0);
        for (unsigned x = 0; x < SizeX; ++x)
            for (unsigned y = 0; y < SizeY; ++y) {
                const bool trench = (x / 20) % 2 == 1 && y > 20 && y < 180;
                for (unsigned z = 0; z < SizeZ; ++z) {
                    std::uint32_t value = 0;
                    if (z < (trench ? 20u : 50u))
                        value = 1; // Si
                    else if (z < (trench ? 25u : 55u))
                        value = 3; // oxide film
                    m[z + SizeZ * (y + SizeY * std::size_t(x))] = value;
                }
            }
        return std::make_unique<TotalVolume>(SizeX, SizeY, SizeZ, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
    }();
    return *volume;
}

template<typename List>
double bytesPerFace(const List &faces)
{
    return faces.empty() ? 0.0 : double(faces.capacity() * sizeof(typename List::value_type)) / double(faces.size());
}

void BM_DirectCubicFaces(benchmark::State &state)
{
    TotalVolume &volume = structure();
    BenchSupport::setThreads(state);
    for (auto _ : state)
        volume.painter().generateCubicFaces();
    const auto &faces = volume.painter().opaqueFaces();
    state.counters["faces"] = double(faces.size() + volume.painter().translucentFaces().size());
    state.counters["bytes/face"] = bytesPerFace(faces);
    state.counters["cells/s"] = benchmark::Counter(double(volume.cellCount()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DirectCubicFaces)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OctreeSurface(benchmark::State &state)
{
    TotalVolume &volume = structure();
    BenchSupport::setThreads(state);
    for (auto _ : state)
        volume.painter().generateOctree();
    const auto &faces = volume.painter().octree().opaqueFaces();
    state.counters["faces"] = double(faces.size() + volume.painter().octree().translucentFaces().size());
    state.counters["bytes/face"] = bytesPerFace(faces);
    state.counters["cells/s"] = benchmark::Counter(double(volume.cellCount()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_OctreeSurface)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
