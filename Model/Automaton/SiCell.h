#pragma once

#include "Util/Vector3D.h"

#include <array>
#include <cstdint>

namespace Model {
namespace Automaton {

class SiAtom;
class SiLattice;

// A view of a conventional unit cell of a Si lattice: eight atoms. Cheap
// to copy; valid while its lattice lives. A default view is no cell.
class SiCell
{
public:
    SiCell() = default;
    SiCell(SiLattice *lattice, std::uint32_t number) : m_lattice(lattice), m_number(number) {}

    explicit operator bool() const { return m_lattice != nullptr; }
    bool operator==(const SiCell &o) const { return m_lattice == o.m_lattice && m_number == o.m_number; }
    bool operator!=(const SiCell &o) const { return !(*this == o); }

    // Its number among the kept cells of the lattice.
    std::uint32_t number() const { return m_number; }
    // k + Lk · (j + Lj · i).
    unsigned key() const;
    SiAtom atom(int basis) const;
    std::array<SiAtom, 8> atoms() const;
    // World position of its atom 0 corner.
    Util::Vector3D position() const;

private:
    SiLattice *m_lattice = nullptr;
    std::uint32_t m_number = 0;
};

} // namespace Automaton
} // namespace Model
