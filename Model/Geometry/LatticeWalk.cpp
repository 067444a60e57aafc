#include "Model/Geometry/LatticeWalk.h"

#include "Model/Automaton/SiAtom.h"
#include "Model/Automaton/SiCell.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/TotalVolume.h"

namespace Model {
namespace Geometry {

using Automaton::SiAtom;

LatticeWalk::LatticeWalk(const Automaton::TotalVolume &volume, Automaton::SiLattice &lattice) : m_lattice(lattice)
{
    // The lattice's origin lies at (p.x + Nx/2, p.y - Nx/2, p.z) for the
    // volume position p it was built at.
    const Util::Vector3D origin = lattice.origin();
    const double half = double(volume.sizeX()) / 2.0;
    m_corner = {origin.x - half, origin.y + half, origin.z};
}

LatticeAtom::Point LatticeWalk::fromCorner(const std::array<float, 3> &world) const
{
    return {float(world[0] - m_corner[0]), float(world[1] - m_corner[1]), float(world[2] - m_corner[2])};
}

void LatticeWalk::forEachAtom(const std::function<void(const LatticeAtom &)> &visit, bool surfaceOnly) const
{
    LatticeAtom record;
    for (std::size_t n = 0; n < m_lattice.cellCount(); ++n) {
        for (const SiAtom &atom : m_lattice.cell(n).atoms()) {
            bool surface = false;
            for (int slot = 0; slot < 4 && !surface; ++slot) {
                const SiAtom neighbour = atom.neighbour(slot);
                surface = !neighbour || neighbour.state() == SiAtom::Absent;
            }
            if (surfaceOnly && !surface)
                continue;
            record.surface = surface;
            record.bondCount = 0;
            for (int slot = 0; slot < 4; ++slot) {
                const SiAtom neighbour = atom.neighbour(slot);
                if (!neighbour)
                    continue;
                const std::size_t bond = std::size_t(record.bondCount++);
                record.bondEnds[bond] = fromCorner(neighbour.position());
                record.bondToSilicon[bond] = neighbour.state() == SiAtom::Silicon;
            }
            record.position = fromCorner(atom.position());
            record.state = atom.state();
            record.coordination = atom.coordination();
            record.secondNeighbourSum = atom.secondNeighbourSum();
            visit(record);
        }
    }
}

void LatticeWalk::forEachUnitCell(const std::function<void(const LatticeAtom::Point &)> &visit) const
{
    for (std::size_t n = 0; n < m_lattice.cellCount(); ++n) {
        const Util::Vector3D p = m_lattice.cell(n).position();
        visit({float(p.x - m_corner[0]), float(p.y - m_corner[1]), float(p.z - m_corner[2])});
    }
}

void LatticeWalk::forEachBorderAtom(const std::function<void(const LatticeAtom::Point &)> &visit) const
{
    m_lattice.forEachBorderAtom([&](SiAtom atom) { visit(fromCorner(atom.position())); });
}

std::array<LatticeAtom::Point, 8> LatticeWalk::unitCellCorners() const
{
    const auto outline = m_lattice.unitCellOutline();
    std::array<LatticeAtom::Point, 8> corners;
    for (std::size_t i = 0; i < 8; ++i)
        corners[i] = {float(outline[i].x), float(outline[i].y), float(outline[i].z)};
    return corners;
}

} // namespace Geometry
} // namespace Model
