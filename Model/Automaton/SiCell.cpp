#include "Model/Automaton/SiCell.h"

#include "Model/Automaton/SiAtom.h"
#include "Model/Automaton/SiLattice.h"

namespace Model {
namespace Automaton {

unsigned SiCell::key() const
{
    return m_lattice->cellKey(m_number);
}

SiAtom SiCell::atom(int basis) const
{
    return SiAtom(m_lattice, (m_number << 3) | std::uint32_t(basis));
}

std::array<SiAtom, 8> SiCell::atoms() const
{
    std::array<SiAtom, 8> atoms;
    for (int basis = 0; basis < 8; ++basis)
        atoms[std::size_t(basis)] = atom(basis);
    return atoms;
}

Util::Vector3D SiCell::position() const
{
    const std::array<float, 3> corner = m_lattice->position(m_number << 3);
    return Util::Vector3D(corner[0], corner[1], corner[2]);
}

} // namespace Automaton
} // namespace Model
