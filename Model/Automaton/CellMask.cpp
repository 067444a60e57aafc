#include "Model/Automaton/CellMask.h"

#include <algorithm>

namespace Model {
namespace Automaton {

bool CellMask::isWhole() const
{
    return !isEmpty() && bits.size() == std::size_t(width) * std::size_t(height);
}

std::vector<bool> CellMask::columnBits(unsigned sizeX, unsigned sizeY, bool inverted) const
{
    std::vector<bool> columns(std::size_t(sizeX) * sizeY, inverted);
    // A mask that does not hold one bit per pixel covers nothing rather
    // than being read past its end.
    if (!isWhole())
        return columns;
    const unsigned xs = std::min(sizeX, unsigned(width));
    const unsigned ys = std::min(sizeY, unsigned(height));
    for (unsigned x = 0; x < xs; ++x)
        for (unsigned y = 0; y < ys; ++y)
            columns[std::size_t(x) * sizeY + y] = bits[std::size_t(x) * std::size_t(height) + y] != inverted;
    return columns;
}

} // namespace Automaton
} // namespace Model
