#pragma once

#include <vector>

namespace Core {
namespace Operations {

// How much of the open sky the floor of each column sees through the
// opening above it: 1 on an open surface, falling as a feature gets deep
// and narrow. The etchant that reaches a trench's floor falls with it, which
// is why narrow openings etch slower than wide ones.
//
// Per column, the height seen from is the top of its highest solid cell.
// Along each of +x, -x, +y and -y the horizon is the steepest rise of the
// other columns' tops seen from there, at elevation e; the opening's edges
// then lie at e from the horizontal, and the view factor of a strip's floor
// to a slot, (cos e₊ + cos e₋) / 2 (the crossed-strings result, sin of the
// edges' angles from the normal), is taken along x and along y and
// multiplied. A trench of width w and depth h gives w / sqrt(w² + 4h²) at
// its centre line; a square hole the square of it.
class OpeningViewFactor
{
public:
    // `tops`: the height of every column's top, column (x, y) at
    // x * sizeY + y, in world units; `edgeX`, `edgeY` the columns' widths.
    // Beyond the volume's sides the sky is open.
    static std::vector<float> of(const std::vector<float> &tops, int sizeX, int sizeY, float edgeX, float edgeY);
};

} // namespace Operations
} // namespace Core
