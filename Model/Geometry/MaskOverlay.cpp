#include "Model/Geometry/MaskOverlay.h"

#include "Model/Automaton/CellMask.h"
#include "Model/Automaton/TotalVolume.h"

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
    if (mask.isEmpty())
        return result;
    const unsigned sizeX = volume.sizeX(), sizeY = volume.sizeY();
    const std::vector<bool> columns = mask.columnBits(sizeX, sizeY);
    const float sx = volume.cellsizeX(), sy = volume.cellsizeY();
    for (unsigned x = 0; x < sizeX; ++x)
        for (unsigned y = 0; y < sizeY; ++y)
            if (columns[std::size_t(x) * sizeY + y])
                result.push_back({float(x) * sx, float(y) * sy, float(x + 1) * sx, float(y + 1) * sy});
    return result;
}

} // namespace Geometry
} // namespace Model
