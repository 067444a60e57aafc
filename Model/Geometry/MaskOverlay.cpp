#include "Model/Geometry/MaskOverlay.h"

#include "Model/Automaton/CellMask.h"
#include "Model/Automaton/TotalVolume.h"

#include <algorithm>

namespace Model {
namespace Geometry {

namespace {

// How far the mask planes lie from the volume, in cells.
constexpr float MaskClearance = 5.0f;

} // namespace

MaskOverlay MaskOverlay::bottomOf(const Automaton::TotalVolume &volume)
{
    return MaskOverlay{rectanglesOf(volume.bottomMask(), volume), -MaskClearance * volume.cellsizeZ()};
}

MaskOverlay MaskOverlay::topOf(const Automaton::TotalVolume &volume)
{
    return MaskOverlay{rectanglesOf(volume.topMask(), volume),
                       (float(volume.sizeZ()) + MaskClearance) * volume.cellsizeZ()};
}

std::vector<MaskOverlay::Rectangle> MaskOverlay::rectanglesOf(const Automaton::CellMask &mask,
                                                            const Automaton::TotalVolume &volume)
{
    std::vector<Rectangle> result;
    if (mask.width <= 0 || mask.height <= 0)
        return result;
    const int rows = std::min(mask.height, int(volume.sizeX()));
    const int columns = std::min(mask.width, int(volume.sizeY()));
    const float sx = volume.cellsizeX(), sy = volume.cellsizeY();
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j) {
            const std::size_t bit = std::size_t(i) * std::size_t(mask.width) + std::size_t(j);
            if (bit < mask.bits.size() && mask.bits[bit])
                result.push_back({float(i) * sx, float(j) * sy, float(i + 1) * sx, float(j + 1) * sy});
        }
    return result;
}

} // namespace Geometry
} // namespace Model
