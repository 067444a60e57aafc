// Cutting a 200 x 200 x 100 volume with 50 cantilevers into blocks, linking
// them, and finding the cantilevers among them.
#include "Model/Automaton/TotalVolume.h"
#include "Model/ModelExtraction/CantileverModelRule.h"
#include "Model/ModelExtraction/EnvelopeDecomposition.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using Model::ModelExtraction::CantileverModelRule;
using Model::ModelExtraction::EnvelopeDecomposition;
using Model::ModelExtraction::EnvelopeList;

constexpr unsigned SizeX = 200, SizeY = 200, SizeZ = 100;

// An Si substrate 30 cells thick; on it 5 x 10 Si pedestals, each holding an
// aluminium beam of 20 x 4 x 4 cells out over the substrate.
Model::Automaton::TotalVolume &beams()
{
    static Model::Automaton::TotalVolume volume = [] {
        std::vector<std::uint32_t> m(std::size_t(SizeX) * SizeY * SizeZ, 0);
        auto fill = [&](unsigned x0, unsigned y0, unsigned z0, unsigned x1, unsigned y1, unsigned z1, std::uint32_t id) {
            for (unsigned x = x0; x < x1; ++x)
                for (unsigned y = y0; y < y1; ++y)
                    for (unsigned z = z0; z < z1; ++z)
                        m[z + SizeZ * (y + SizeY * std::size_t(x))] = id;
        };
        fill(0, 0, 0, SizeX, SizeY, 30, 1);
        for (unsigned column = 0; column < 5; ++column)
            for (unsigned row = 0; row < 10; ++row) {
                const unsigned x = column * 38 + 2 * row, y = row * 20;
                fill(x, y, 30, x + 10, y + 12, 50, 1);
                fill(x + 10, y + 4, 44, x + 30, y + 8, 48, 2);
            }
        return Model::Automaton::TotalVolume(SizeX, SizeY, SizeZ, 1, 1, 1, Util::Vector3D(), m);
    }();
    return volume;
}

void BM_Preprocessing(benchmark::State &state)
{
    std::size_t blocks = 0;
    for (auto _ : state) {
        EnvelopeList list = EnvelopeDecomposition::decompose(beams());
        EnvelopeDecomposition::link(list);
        blocks = list.size();
    }
    state.counters["blocks"] = double(blocks);
    state.counters["cells/s"] = benchmark::Counter(double(beams().cellCount()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Preprocessing)->Unit(benchmark::kMillisecond);

void BM_FeatureDetection(benchmark::State &state)
{
    EnvelopeList list = EnvelopeDecomposition::decompose(beams());
    EnvelopeDecomposition::link(list);
    std::size_t found = 0;
    for (auto _ : state) {
        CantileverModelRule rule;
        benchmark::DoNotOptimize(rule.apply(list));
        found = rule.cantilevers().size();
    }
    state.counters["blocks"] = double(list.size());
    state.counters["cantilevers"] = double(found);
}
BENCHMARK(BM_FeatureDetection)->Unit(benchmark::kMillisecond);

} // namespace
