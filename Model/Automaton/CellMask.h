#pragma once

#include <cstddef>
#include <vector>

namespace Model {
namespace Automaton {

// A photolithography mask laid over a cell volume: one on/off bit per mask
// pixel (on = opaque) and the mask's pixel width and height. Each image
// column is one run of `height` bits, its bottom row first, so pixel
// (i, j) of an image whose row 0 is at the top is bit i·height + (height − 1 − j).
// The image's x axis runs along the volume's x axis and its bottom row lies
// at y = 0.
struct CellMask
{
    std::vector<bool> bits;
    int width = 0;
    int height = 0;

    std::size_t bitCount() const { return bits.size(); }
    void clear() { bits.assign(bits.size(), false); }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    // Whether the bits are exactly one per pixel; a mask that is not is
    // unusable and covers nothing.
    bool isWhole() const;

    // The mask laid over the columns of a sizeX x sizeY volume: bit
    // x·sizeY + y is on where column (x, y) lies under an opaque pixel.
    // Columns beyond the image are uncovered. `inverted` flips every bit,
    // inside the image and beyond it, as a negative resist sees the mask.
    std::vector<bool> columnBits(unsigned sizeX, unsigned sizeY, bool inverted = false) const;
};

} // namespace Automaton
} // namespace Model
