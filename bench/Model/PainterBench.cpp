// Surface generation on a realistic volume: a 200 x 200 x 100 silicon
// substrate with trenches and an oxide film, with one pool thread and with
// all of them, as the view builds it from the volume's view options: the
// direct cubic faces, the marching-cube surface and the octree surface.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Geometry/ColourMap.h"
#include "Model/Geometry/VolumeGeometryBuilder.h"
#include "Model/Materials/MaterialFactory.h"

#include "BenchSupport.h"

#include <memory>

namespace {

using Model::Automaton::SurfaceGenerationAlgorithm;
using Model::Automaton::TotalVolume;
using Model::Geometry::VolumeGeometry;

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

// Builds the surface of `algorithm` as the view does for a changed volume:
// the catalogue's colours taken afresh, then the mesh data.
void buildSurface(benchmark::State &state, SurfaceGenerationAlgorithm algorithm)
{
    TotalVolume &volume = structure();
    BenchSupport::setThreads(state);
    auto options = volume.viewOptions();
    options.algorithm = algorithm;
    VolumeGeometry geometry;
    for (auto _ : state) {
        Model::Geometry::ColourMap colours;
        colours.rebuild(*Model::Materials::MaterialFactory::getInstance());
        geometry = Model::Geometry::VolumeGeometryBuilder::build(volume, options, colours);
    }
    if (algorithm == SurfaceGenerationAlgorithm::MarchingCubes) {
        state.counters["triangles"] = double(geometry.marchingCubes.size());
        state.counters["bytes/triangle"] = bytesPerFace(geometry.marchingCubes.triangles);
    } else {
        const auto &faces = algorithm == SurfaceGenerationAlgorithm::OctreeSurface ? geometry.octreeFaces
                                                                                    : geometry.cubicFaces;
        state.counters["faces"] = double(faces.size());
        state.counters["bytes/face"] = bytesPerFace(faces.opaque);
    }
    state.counters["cells/s"] = benchmark::Counter(double(volume.cellCount()), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_DirectCubicFaces(benchmark::State &state)
{
    buildSurface(state, SurfaceGenerationAlgorithm::DirectCubic);
}
BENCHMARK(BM_DirectCubicFaces)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// Milliseconds, triangles and the bytes each keeps.
void BM_MarchingCubes(benchmark::State &state)
{
    buildSurface(state, SurfaceGenerationAlgorithm::MarchingCubes);
}
BENCHMARK(BM_MarchingCubes)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OctreeSurface(benchmark::State &state)
{
    buildSurface(state, SurfaceGenerationAlgorithm::OctreeSurface);
}
BENCHMARK(BM_OctreeSurface)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
