#pragma once

#include "Util/Vector3D.h"

#include <boost/shared_ptr.hpp>

#include <array>

namespace Model {
namespace Automaton {

class SiAtom;

// A conventional unit cell of the diamond lattice: eight atoms.
class SiCell
{
public:
    std::array<boost::shared_ptr<SiAtom>, 8> &atoms() { return m_atoms; }
    const std::array<boost::shared_ptr<SiAtom>, 8> &atoms() const { return m_atoms; }
    // World position of its atom 0 corner.
    const Util::Vector3D &position() const { return m_position; }
    void setPosition(const Util::Vector3D &position) { m_position = position; }

private:
    std::array<boost::shared_ptr<SiAtom>, 8> m_atoms;
    Util::Vector3D m_position;
};

} // namespace Automaton
} // namespace Model
