#pragma once

#include "Model/Automaton/SiCell.h"

#include <array>
#include <cstdint>

namespace Model {
namespace Automaton {

class SiLattice;

// A view of one atom of a Si lattice: what the etchings and the view read
// and change of it. Cheap to copy; valid while its lattice lives. Besides
// the lattice's own atoms it shows the fixed border atoms the etching
// places where a bonded neighbour is missing: such an atom is told by the
// lattice atom it is bonded to and the slot it sits in. A default view is
// no atom (an empty bond slot).
class SiAtom
{
public:
    enum State : std::uint8_t { Absent = 0, Silicon = 1, Fixed = 3 };

    SiAtom() = default;
    SiAtom(SiLattice *lattice, std::uint32_t id, int borderSlot = -1)
        : m_lattice(lattice), m_id(id), m_borderSlot(std::int8_t(borderSlot))
    {
    }

    // False for an empty bond slot.
    explicit operator bool() const { return m_lattice != nullptr; }
    bool operator==(const SiAtom &o) const
    {
        return m_lattice == o.m_lattice && m_id == o.m_id && m_borderSlot == o.m_borderSlot;
    }
    bool operator!=(const SiAtom &o) const { return !(*this == o); }

    SiLattice *lattice() const { return m_lattice; }
    // The atom's number in its lattice; for a border atom, the number of
    // the lattice atom it is bonded to.
    std::uint32_t id() const { return m_id; }
    bool isBorderAtom() const { return m_borderSlot >= 0; }

    // The atom bonded through `slot`; an empty view when there is none.
    SiAtom neighbour(int slot) const;
    int state() const;
    // A border atom stays fixed.
    void setState(int state);
    bool isPresent() const { return state() != Absent; }
    // Linear index of the volume cell the atom lies in; -1 outside the volume.
    std::int32_t index() const;
    float occupation() const;
    void setOccupation(float occupation);
    std::array<float, 3> position() const;
    // The unit cell the atom belongs to; a border atom has none.
    SiCell cell() const;
    // The atom's number in its unit cell (0..7), and its sublattice (0 or 1).
    int basis() const { return isBorderAtom() ? 0 : int(m_id & 7u); }
    int sublattice() const { return (basis() / 2) % 2; }

    // 4 for a fixed atom; otherwise its present neighbours.
    int coordination() const;
    // Over the neighbours: coordination - 1 for silicon, 3 for fixed ones.
    int secondNeighbourSum() const;
    // Present neighbours split into surface ones (ns) and bulk ones (nb,
    // fixed or fully bonded).
    void firstNeighbourSplit(unsigned &ns1, unsigned &nb1) const;
    // The same split over the neighbours' neighbours, not back to this atom.
    void secondNeighbourSplit(unsigned &ns2, unsigned &nb2) const;

private:
    SiLattice *m_lattice = nullptr;
    std::uint32_t m_id = 0;
    std::int8_t m_borderSlot = -1;
};

} // namespace Automaton
} // namespace Model
