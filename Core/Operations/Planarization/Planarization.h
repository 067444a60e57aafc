#pragma once

#include <cstdint>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

class Interrupter;

// Planarization works by height alone: every cell below the minimum height
// and every cell at or above the maximum height is emptied, whatever its
// material. A maximum above the volume removes nothing from the top; a
// minimum at or above the maximum empties every column.
class Planarization
{
public:
    Planarization(Model::Automaton::TotalVolume &volume, int maximumHeight, int minimumHeight,
                  Interrupter *interrupter = nullptr);

    // False when the interrupter stopped it before it began.
    bool runPlanarization();

    // The heights in cells after clamping to the volume: 0 .. sizeZ.
    int maximumHeight() const { return m_maximum; }
    int minimumHeight() const { return m_minimum; }

private:
    Model::Automaton::TotalVolume &m_volume;
    const int m_maximum;
    const int m_minimum;
    Interrupter *const m_interrupter;
};

} // namespace Operations
} // namespace Core
