#include "Core/Operations/SiEtching/AtomicStructureSimpleSiWetEtch.h"

#include "Model/Automaton/SiLattice.h"

namespace Core {
namespace Operations {

SiWetEtchFrame::Decision AtomicStructureSimpleSiWetEtch::decide(SiLattice &lattice, AtomId atom)
{
    const int c1 = lattice.coordination(atom);
    if (c1 >= 4)
        return Decision::Stay;
    return removes(c1, lattice.secondNeighbourSum(atom)) ? Decision::Remove : Decision::Stay;
}

} // namespace Operations
} // namespace Core
