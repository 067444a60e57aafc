#include "Core/Operations/DeepEtching/OpeningViewFactor.h"

#include "Model/Automaton/ParallelStrips.h"

#include <algorithm>
#include <cmath>

namespace Core {
namespace Operations {

namespace {

// cos of the horizon's elevation looking from `from` along the columns at
// `step` (in column indices) of spacing `edge`; 1 when nothing rises. No
// column rises above `highest`: the walk ends where even that could not
// make the horizon steeper.
template<typename TopAt>
float horizonCosine(float from, float highest, int start, int count, int step, float edge, const TopAt &topAt)
{
    float steepest = 0.0f; // tan of the elevation
    const float reach = highest - from;
    for (int k = 1; start + k * step >= 0 && start + k * step < count; ++k) {
        if (reach <= steepest * float(k) * edge)
            break;
        const float rise = topAt(start + k * step) - from;
        if (rise > 0.0f)
            steepest = std::max(steepest, rise / (float(k) * edge));
    }
    return 1.0f / std::sqrt(1.0f + steepest * steepest);
}

} // namespace

std::vector<float> OpeningViewFactor::of(const std::vector<float> &tops, int sizeX, int sizeY, float edgeX,
                                         float edgeY)
{
    std::vector<float> factors(tops.size(), 1.0f);
    const float highest = tops.empty() ? 0.0f : *std::max_element(tops.begin(), tops.end());
    using Model::Automaton::ParallelStrips;
    const auto strips = ParallelStrips::split(0, sizeX, ParallelStrips::threadCount());
    ParallelStrips::run(strips, [&](const ParallelStrips::Strip &strip) {
        for (int x = strip.first; x < strip.end; ++x) {
            for (int y = 0; y < sizeY; ++y) {
                const float from = tops[std::size_t(x) * sizeY + y];
                const auto alongX = [&](int i) { return tops[std::size_t(i) * sizeY + y]; };
                const auto alongY = [&](int j) { return tops[std::size_t(x) * sizeY + j]; };
                const float fx = 0.5f * (horizonCosine(from, highest, x, sizeX, 1, edgeX, alongX)
                                         + horizonCosine(from, highest, x, sizeX, -1, edgeX, alongX));
                const float fy = 0.5f * (horizonCosine(from, highest, y, sizeY, 1, edgeY, alongY)
                                         + horizonCosine(from, highest, y, sizeY, -1, edgeY, alongY));
                factors[std::size_t(x) * sizeY + y] = fx * fy;
            }
        }
    });
    return factors;
}

} // namespace Operations
} // namespace Core
