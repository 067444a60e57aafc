// Exporting the 200 x 200 x 100 volume with trenches (four million cells)
// to each format: the time of a whole export, surface or mesh building
// included, the size of the files it writes and the peak memory (formats 4
// and 5 are the hexahedral meshes, *.vtu and *.msh, streamed through the
// file save like the others). Argument 0 is the pool size (0: all
// threads), argument 1 the format.
#include "Model/Automaton/CellRange.h"
#include "Model/Export/VolumeExport.h"
#include "Model/Geometry/CellGrid.h"
#include "Model/Geometry/MaterialSurfaceBuilder.h"
#include "Model/Materials/MaterialFactory.h"

#include "BenchSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const char *const Extensions[] = {"vti", "vtp", "stl", "obj", "vtu", "msh"};

QString exportPath(const char *extension)
{
    static QTemporaryDir folder;
    return folder.filePath(QStringLiteral("trenches.") + QLatin1String(extension));
}

void BM_Export(benchmark::State &state)
{
    BenchSupport::setThreads(state);
    const char *extension = Extensions[state.range(1)];
    state.SetLabel(extension);
    Model::Automaton::TotalVolume &volume = BenchSupport::trenchedVolume();
    const auto catalogue = Model::Materials::MaterialFactory::getInstance();
    Model::Export::VolumeExport::Result result;
    for (auto _ : state) {
        result = Model::Export::VolumeExport::write(exportPath(extension), volume, *catalogue);
        if (!result.ok)
            state.SkipWithError(result.error.toLocal8Bit().constData());
    }
    state.counters["bytes"] = double(result.bytes);
    state.counters["cells/s"] =
        benchmark::Counter(double(volume.cellCount()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["threads"] = QThreadPool::globalInstance()->maxThreadCount();
    state.counters["peak MB"] = BenchSupport::peakMegabytes();
}
BENCHMARK(BM_Export)
    ->ArgsProduct({{1, 0}, {0, 1, 2, 3, 4, 5}})
    ->ArgNames({"threads", "format"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The surfaces alone, with the triangles they come to: what merging buys
// against one quad per exposed cell side.
void BM_MaterialSurfaces(benchmark::State &state)
{
    BenchSupport::setThreads(state);
    Model::Automaton::TotalVolume &volume = BenchSupport::trenchedVolume();
    std::size_t triangles = 0;
    for (auto _ : state) {
        Model::Automaton::LockedCells cells(volume);
        const auto grid = Model::Geometry::CellGrid::of(
            volume, cells.get(), Model::Automaton::CellRange::whole(volume.sizeX(), volume.sizeY(), volume.sizeZ()));
        triangles = Model::Geometry::MaterialSurfaceBuilder::build(grid, {0, 0, 0}).triangleCount();
    }
    state.counters["triangles"] = double(triangles);
    state.counters["threads"] = QThreadPool::globalInstance()->maxThreadCount();
}
BENCHMARK(BM_MaterialSurfaces)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
