#pragma once

#include <array>
#include <cstdint>

namespace Model {
namespace Automaton {

class SiCell;

// One atom of the diamond lattice laid over a cell volume, bonded to up to
// four neighbours. Bonds are plain pointers so that walks over neighbours
// cost no reference counting; an atom that goes away unlinks itself from
// its neighbours. Kept small: a lattice holds millions of them.
class SiAtom
{
public:
    enum State : std::uint8_t { Absent = 0, Silicon = 1, Fixed = 3 };

    SiAtom(SiCell *cell, std::uint8_t basis, const std::array<float, 3> &position)
        : m_cell(cell), m_position(position), m_basis(basis)
    {
    }
    ~SiAtom();
    SiAtom(const SiAtom &) = delete;
    SiAtom &operator=(const SiAtom &) = delete;

    // Links a through `slot` and b through 3 - slot.
    static void link(SiAtom &a, SiAtom &b, int slot);

    SiAtom *neighbour(int slot) const { return m_neighbours[std::size_t(slot)]; }
    int state() const { return m_state; }
    void setState(int state) { m_state = std::uint8_t(state); }
    bool isPresent() const { return m_state != Absent; }
    // Linear index of the volume cell the atom lies in; -1 outside the volume.
    std::int32_t index() const { return m_index; }
    void setIndex(std::int32_t index) { m_index = index; }
    float occupation() const { return m_occupation; }
    void setOccupation(float occupation) { m_occupation = occupation; }
    const std::array<float, 3> &position() const { return m_position; }
    void setPosition(const std::array<float, 3> &position) { m_position = position; }
    SiCell *cell() const { return m_cell; }
    // The atom's number in its unit cell (0..7), and its sublattice (0 or 1).
    int basis() const { return m_basis; }
    int sublattice() const { return (m_basis / 2) % 2; }

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
    std::array<SiAtom *, 4> m_neighbours{};
    SiCell *m_cell;
    std::array<float, 3> m_position;
    std::int32_t m_index = -1;
    float m_occupation = 0.0f;
    std::uint8_t m_state = Silicon;
    std::uint8_t m_basis;
};

} // namespace Automaton
} // namespace Model
