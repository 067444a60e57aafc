#include "Model/Automaton/SiAtom.h"

#include "Model/Automaton/SiLattice.h"

namespace Model {
namespace Automaton {

SiAtom SiAtom::neighbour(int slot) const
{
    if (isBorderAtom())
        return slot == 3 - m_borderSlot ? SiAtom(m_lattice, m_id) : SiAtom();
    const std::uint32_t other = m_lattice->neighbour(m_id, slot);
    if (other == SiLattice::NoAtom)
        return SiAtom();
    if (other == SiLattice::BorderAtom)
        return SiAtom(m_lattice, m_id, slot);
    return SiAtom(m_lattice, other);
}

int SiAtom::state() const
{
    return isBorderAtom() ? Fixed : m_lattice->state(m_id);
}

void SiAtom::setState(int state)
{
    if (!isBorderAtom())
        m_lattice->setState(m_id, state);
}

std::int32_t SiAtom::index() const
{
    return isBorderAtom() ? -1 : m_lattice->index(m_id);
}

float SiAtom::occupation() const
{
    return isBorderAtom() ? 0.0f : m_lattice->occupation(m_id);
}

void SiAtom::setOccupation(float occupation)
{
    if (!isBorderAtom())
        m_lattice->setOccupation(m_id, occupation);
}

std::array<float, 3> SiAtom::position() const
{
    return isBorderAtom() ? m_lattice->borderPosition(m_id, m_borderSlot) : m_lattice->position(m_id);
}

SiCell SiAtom::cell() const
{
    return isBorderAtom() ? SiCell() : SiCell(m_lattice, m_id >> 3);
}

int SiAtom::coordination() const
{
    return isBorderAtom() ? 4 : m_lattice->coordination(m_id);
}

int SiAtom::secondNeighbourSum() const
{
    // A border atom's only neighbour is the atom that holds it.
    if (isBorderAtom()) {
        const int holder = m_lattice->state(m_id);
        return holder == Silicon ? m_lattice->coordination(m_id) - 1 : (holder == Fixed ? 3 : 0);
    }
    return m_lattice->secondNeighbourSum(m_id);
}

void SiAtom::firstNeighbourSplit(unsigned &ns1, unsigned &nb1) const
{
    if (isBorderAtom()) {
        ns1 = nb1 = 0;
        const SiAtom holder(m_lattice, m_id);
        if (holder.isPresent())
            ++(holder.coordination() == 4 ? nb1 : ns1);
        return;
    }
    m_lattice->firstNeighbourSplit(m_id, ns1, nb1);
}

void SiAtom::secondNeighbourSplit(unsigned &ns2, unsigned &nb2) const
{
    ns2 = nb2 = 0;
    if (isBorderAtom()) {
        // Through the holder, to its other neighbours.
        for (int k = 0; k < 4; ++k) {
            if (k == m_borderSlot)
                continue;
            const SiAtom s = SiAtom(m_lattice, m_id).neighbour(k);
            if (!s || !s.isPresent())
                continue;
            ++(s.state() == Fixed || s.coordination() == 4 ? nb2 : ns2);
        }
        return;
    }
    m_lattice->secondNeighbourSplit(m_id, ns2, nb2);
}

} // namespace Automaton
} // namespace Model
