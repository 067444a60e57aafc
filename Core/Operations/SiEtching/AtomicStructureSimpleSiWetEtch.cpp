#include "Core/Operations/SiEtching/AtomicStructureSimpleSiWetEtch.h"

#include "Model/Automaton/SiAtom.h"

namespace Core {
namespace Operations {

SiWetEtchFrame::Decision AtomicStructureSimpleSiWetEtch::decide(SiAtom &atom)
{
    const int c1 = atom.coordination();
    if (c1 >= 4)
        return Decision::Stay;
    return removes(c1, atom.secondNeighbourSum()) ? Decision::Remove : Decision::Stay;
}

} // namespace Operations
} // namespace Core
