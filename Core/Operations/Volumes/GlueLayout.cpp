#include "Core/Operations/Volumes/GlueLayout.h"

#include "Model/Automaton/TotalVolume.h"

#include <algorithm>

namespace Core {
namespace Operations {

namespace {

struct FilledRange
{
    bool empty = true;
    unsigned lowest = 0;
    unsigned highest = 0;
};

// The lowest and highest z that hold a material anywhere in the volume.
FilledRange filledRange(Model::Automaton::TotalVolume &volume)
{
    FilledRange range;
    const Model::Automaton::LockedCells cells(volume);
    const std::size_t columns = std::size_t(volume.sizeX()) * volume.sizeY();
    const unsigned sizeZ = volume.sizeZ();
    for (std::size_t column = 0; column < columns; ++column) {
        const Model::Automaton::Voxel *cell = cells.get() + column * sizeZ;
        for (unsigned z = 0; z < sizeZ; ++z) {
            if (cell[z].material == 0)
                continue;
            if (range.empty) {
                range.lowest = range.highest = z;
                range.empty = false;
            }
            range.lowest = std::min(range.lowest, z);
            range.highest = std::max(range.highest, z);
        }
    }
    return range;
}

} // namespace

GlueLayout GlueLayout::measure(Model::Automaton::TotalVolume &base, Model::Automaton::TotalVolume &top)
{
    GlueLayout layout;
    const FilledRange baseRange = filledRange(base);
    layout.baseHeight = baseRange.empty ? 0 : baseRange.highest + 1;
    const FilledRange topRange = filledRange(top);
    layout.topEmpty = topRange.empty;
    layout.topLowest = topRange.lowest;
    layout.topHighest = topRange.highest;
    layout.finalX = std::max(base.sizeX(), top.sizeX());
    layout.finalY = std::max(base.sizeY(), top.sizeY());
    layout.stackedHeight = layout.baseHeight + layout.topSlabHeight();
    layout.maxDisplacementX = layout.finalX - top.sizeX();
    layout.maxDisplacementY = layout.finalY - top.sizeY();
    layout.cellsizeX = std::max(base.cellsizeX(), top.cellsizeX());
    layout.cellsizeY = std::max(base.cellsizeY(), top.cellsizeY());
    layout.cellsizeZ = std::max(base.cellsizeZ(), top.cellsizeZ());
    return layout;
}

} // namespace Operations
} // namespace Core
