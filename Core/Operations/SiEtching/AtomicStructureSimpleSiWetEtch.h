#pragma once

#include "Core/Operations/Frames/SiWetEtchFrame.h"

namespace Core {
namespace Operations {

// Atomistic wet etching by bond counting: a surface atom with two bonds or
// fewer goes; one with three bonds stays only when its neighbours hold at
// least nine further bonds between them, which keeps (111) planes and
// develops the facets of alkaline Si etching.
class AtomicStructureSimpleSiWetEtch : public SiWetEtchFrame
{
public:
    AtomicStructureSimpleSiWetEtch(Model::Automaton::TotalVolume &volume, double depth,
                                   Interrupter *interrupter = nullptr)
        : SiWetEtchFrame(volume, depth, interrupter)
    {
    }

    // The bond-counting rule for an atom of coordination c1 and second-
    // neighbour sum c2.
    static bool removes(int c1, int c2) { return c1 <= 2 || (c1 == 3 && c2 < 9); }

protected:
    using SiWetEtchFrame::decide;
    Decision decide(SiLattice &lattice, AtomId atom) override;
};

} // namespace Operations
} // namespace Core
