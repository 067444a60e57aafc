#pragma once

#include <algorithm>
#include <array>

namespace Model {
namespace Automaton {

// A box of cells of a volume in cell indices: the lower corner inclusive,
// the upper one exclusive. The cut planes of the view are one of these.
struct CellRange
{
    std::array<int, 3> lower{};
    std::array<int, 3> upper{};

    static CellRange whole(unsigned sizeX, unsigned sizeY, unsigned sizeZ)
    {
        return CellRange{{0, 0, 0}, {int(sizeX), int(sizeY), int(sizeZ)}};
    }

    // The part that lies within a volume of these sizes; an upper corner
    // below the lower one leaves that axis empty.
    CellRange clampedTo(unsigned sizeX, unsigned sizeY, unsigned sizeZ) const
    {
        const int size[3] = {int(sizeX), int(sizeY), int(sizeZ)};
        CellRange range;
        for (std::size_t axis = 0; axis < 3; ++axis) {
            range.lower[axis] = std::clamp(lower[axis], 0, size[axis]);
            range.upper[axis] = std::clamp(upper[axis], range.lower[axis], size[axis]);
        }
        return range;
    }

    bool contains(int x, int y, int z) const
    {
        return x >= lower[0] && x < upper[0] && y >= lower[1] && y < upper[1] && z >= lower[2] && z < upper[2];
    }

    bool operator==(const CellRange &other) const { return lower == other.lower && upper == other.upper; }
    bool operator!=(const CellRange &other) const { return !(*this == other); }
};

} // namespace Automaton
} // namespace Model
