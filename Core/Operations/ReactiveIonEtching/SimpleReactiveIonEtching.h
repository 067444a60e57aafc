#pragma once

#include "Model/Automaton/ParallelStrips.h"
#include "Model/Automaton/Voxel.h"

#include <cstdint>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

class Interrupter;

// A vertical etch of one material: from every surface of it that faces an
// empty cell above (from top) and/or below (from below), each step removes
// one cell per column along z. Sideways surfaces are not attacked, and a
// surface covered by another material is not etched from that side. A
// column etched from both sides loses up to two cells per step.
class SimpleReactiveIonEtching
{
public:
    enum Direction : std::uint8_t { FromTop = 1, FromBelow = 2 };

    // `depth` in cells, truncated to whole steps; `directions` a combination
    // of FromTop and FromBelow.
    SimpleReactiveIonEtching(Model::Automaton::TotalVolume &volume, std::uint32_t material, double depth,
                             std::uint8_t directions, Interrupter *interrupter = nullptr);

    // With an interrupter, reports each step and stops between two steps
    // when asked to: a stopped run returns false, its cells holding the
    // whole steps done before the stop. The run ends early once no surface
    // cell is left.
    bool runEtching();

    int steps() const { return m_steps; }

private:
    using Strip = Model::Automaton::ParallelStrips::Strip;

    void runPartialInitialization(const Strip &strip);
    void runPartialEtchingStep(const Strip &strip);
    bool surfaceLeft() const;

    Model::Automaton::TotalVolume &m_volume;
    const std::uint32_t m_material;
    const int m_steps;
    const std::uint8_t m_directions;
    const std::size_t m_sizeZ;
    // The surface cells of each strip, ascending: a step moves along z
    // only, so strips share nothing.
    std::vector<std::vector<std::size_t>> m_surface;
    Model::Automaton::Voxel *m_current = nullptr;
    Model::Automaton::Voxel *m_working = nullptr;
    Interrupter *const m_interrupter;
};

} // namespace Operations
} // namespace Core
