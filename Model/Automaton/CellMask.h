#pragma once

#include <vector>

namespace Model {
namespace Automaton {

// A photolithography mask laid over a cell volume: one on/off bit per mask
// pixel and the mask's pixel width and height.
struct CellMask
{
    std::vector<bool> bits;
    int width = 0;
    int height = 0;

    std::size_t bitCount() const { return bits.size(); }
    void clear() { bits.assign(bits.size(), false); }
};

} // namespace Automaton
} // namespace Model
