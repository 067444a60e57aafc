#pragma once

#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodFront.h"

namespace Core {
namespace Operations {

// Moore etching: every step empties the cells of the etched material next
// to empty ones (in any of 26 directions). Other materials are never
// changed and block the etch: it reaches enclosed cells only through cells
// of its own material.
class MooreNeighborhoodEtching : public MooreNeighborhoodFront
{
public:
    MooreNeighborhoodEtching(Model::Automaton::TotalVolume &volume, std::uint32_t material, int steps,
                             Interrupter *interrupter = nullptr);

    bool runEtching() { return run(); }

protected:
    bool startsFront(std::uint32_t neighbourMaterial) const override { return neighbourMaterial == 0; }
};

} // namespace Operations
} // namespace Core
