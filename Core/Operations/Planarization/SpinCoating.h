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

// Spin coating pours a material into every empty cell below the deposition
// height: it fills cavities whether they are open to the top, open only
// sideways or closed, and covers the surface up to a flat level. It never
// replaces material.
class SpinCoating
{
public:
    SpinCoating(Model::Automaton::TotalVolume &volume, std::uint32_t material, int height,
                Interrupter *interrupter = nullptr);

    // False when the interrupter stopped it before it began.
    bool runSpinCoating();

    // The height in cells after clamping to the volume: 0 .. sizeZ.
    int height() const { return m_height; }

private:
    Model::Automaton::TotalVolume &m_volume;
    const std::uint32_t m_material;
    const int m_height;
    Interrupter *const m_interrupter;
};

} // namespace Operations
} // namespace Core
