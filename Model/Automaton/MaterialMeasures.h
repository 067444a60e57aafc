#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Model {
namespace Automaton {

// The extent of a block of cells, x y z, counted in cells.
struct CellSizes
{
    unsigned x = 0;
    unsigned y = 0;
    unsigned z = 0;
};

// Where one material sits in a cell volume, in cells: what a study compares
// between runs without opening their documents.
struct MaterialMeasure
{
    std::uint32_t material = 0;
    std::size_t cells = 0;
    // The smallest block holding every cell of the material: the first and
    // the last cell along x, y and z.
    unsigned first[3] = {0, 0, 0};
    unsigned last[3] = {0, 0, 0};
    // Over the columns that hold the material, the number of cells below
    // the top face of its highest cell: lowest and highest of them.
    unsigned lowestTop = 0;
    unsigned highestTop = 0;
};

// How many cells took a material (gained) or gave it up (lost) in a step.
struct MaterialChange
{
    std::uint32_t material = 0;
    std::size_t gained = 0;
    std::size_t lost = 0;
};

// The measures of every material but the empty cells (id 0), in id order,
// of material ids laid out as a cell volume's (z fastest, then y, then x).
std::vector<MaterialMeasure> measureMaterials(const std::vector<std::uint32_t> &materials, const CellSizes &sizes);

// The materials whose cells changed between `before` and `after`, in id
// order, the empty cells included. Arrays of different sizes are not one
// volume: everything in `after` is then gained and nothing lost, as when a
// step creates the volume.
std::vector<MaterialChange> materialChanges(const std::vector<std::uint32_t> &before,
                                            const std::vector<std::uint32_t> &after);

} // namespace Automaton
} // namespace Model
