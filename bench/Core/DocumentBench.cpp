// Saving and opening a document with a 200 x 200 x 100 cell volume (four
// million cells) of silicon with an oxide film.
#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/TotalVolume.h"

#include "BenchSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <boost/make_shared.hpp>

namespace {

constexpr unsigned SizeX = 200, SizeY = 200, SizeZ = 100;

Core::Operations::OperationContext &context()
{
    static Core::Operations::OperationContext instance;
    static bool filled = false;
    if (!filled) {
        std::vector<std::uint32_t> m(std::size_t(SizeX) * SizeY * SizeZ, 0);
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = i % SizeZ < 50 ? 1u : i % SizeZ < 55 ? 3u : 0u;
        instance.document().addObject(boost::make_shared<Model::Automaton::TotalVolume>(
            SizeX, SizeY, SizeZ, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m));
        filled = true;
    }
    return instance;
}

QString documentPath()
{
    static QTemporaryDir folder;
    return folder.filePath(QStringLiteral("bench.cvx"));
}

void BM_SaveDocument(benchmark::State &state)
{
    auto &ctx = context();
    for (auto _ : state)
        benchmark::DoNotOptimize(Core::Operations::DocumentFiles::save(documentPath(), ctx).ok);
    state.counters["MB"] = double(QFileInfo(documentPath()).size()) / 1048576.0;
    state.counters["cells/s"] = benchmark::Counter(double(SizeX) * SizeY * SizeZ,
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenDocument(benchmark::State &state)
{
    Core::Operations::DocumentFiles::save(documentPath(), context());
    for (auto _ : state) {
        Core::Operations::OperationContext fresh;
        benchmark::DoNotOptimize(Core::Operations::DocumentFiles::open(documentPath(), fresh).ok);
    }
    state.counters["cells/s"] = benchmark::Counter(double(SizeX) * SizeY * SizeZ,
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak MB"] = BenchSupport::peakMegabytes();
}
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
