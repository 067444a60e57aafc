#pragma once

#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodFront.h"

namespace Core {
namespace Operations {

// Moore deposition: every step fills the empty cells next to solid ones
// (in any of 26 directions) with the deposited material, so k steps grow a
// film k cells thick that makes boxes around corners.
class MooreNeighborhoodDeposition : public MooreNeighborhoodFront
{
public:
    MooreNeighborhoodDeposition(Model::Automaton::TotalVolume &volume, std::uint32_t material, int steps,
                                Interrupter *interrupter = nullptr);

    bool runDeposition();

protected:
    bool startsFront(std::uint32_t neighbourMaterial) const override { return neighbourMaterial != 0; }
};

} // namespace Operations
} // namespace Core
