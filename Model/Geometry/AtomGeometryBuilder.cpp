#include "Model/Geometry/AtomGeometryBuilder.h"

#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Geometry/ClipPlanes.h"
#include "Model/Geometry/LatticeWalk.h"
#include "Util/DebugLog.h"

#include <QDebug>

namespace Model {
namespace Geometry {

constexpr AtomGeometry::Rgb AtomGeometryBuilder::BorderAtomColour;

namespace {

using Point = AtomGeometry::Point;

// The sides of a unit cell as corners of the lattice's cell outline,
// counter-clockwise seen from outside: bottom, top, then the four walls.
const int CellSides[6][4] = {{0, 2, 6, 4}, {1, 5, 7, 3}, {0, 4, 5, 1}, {4, 6, 7, 5}, {6, 2, 3, 7}, {2, 0, 1, 3}};

Point plus(const Point &a, const Point &b)
{
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

Point midpoint(const Point &a, const Point &b)
{
    return {(a[0] + b[0]) / 2, (a[1] + b[1]) / 2, (a[2] + b[2]) / 2};
}

void addAtoms(const LatticeWalk &lattice, const Automaton::AtomViewFlags &flags, const ClipPlanes &clip,
              AtomGeometry &geometry)
{
    lattice.forEachAtom([&](const LatticeAtom &atom) {
        if (atom.state == 0 || !clip.isVisible(atom.position))
            return;
        if (flags.atoms)
            geometry.atoms.push_back(
                {atom.position, AtomGeometryBuilder::bondingColour(atom.coordination, atom.secondNeighbourSum)});
        if (!flags.atomLinks || atom.state != 1)
            return;
        // A bond between two shown atoms is stored from both ends.
        for (int bond = 0; bond < atom.bondCount; ++bond) {
            const Point &end = atom.bondEnds[std::size_t(bond)];
            geometry.bondVertices.push_back(atom.position);
            geometry.bondVertices.push_back(atom.bondToSilicon[std::size_t(bond)] ? end
                                                                                  : midpoint(atom.position, end));
        }
    }, flags.surfaceAtomsOnly);
    if (flags.atoms)
        lattice.forEachBorderAtom([&](const Point &position) { geometry.borderAtoms.push_back(position); });
}

void addUnitCells(const LatticeWalk &lattice, const Automaton::AtomViewFlags &flags, const ClipPlanes &clip,
                  AtomGeometry &geometry)
{
    const auto corners = lattice.unitCellCorners();
    if (flags.unitCells) {
        for (const auto &side : CellSides)
            for (int corner : {side[0], side[1], side[2], side[0], side[2], side[3]})
                geometry.unitCellTriangles.push_back(corners[std::size_t(corner)]);
    }
    lattice.forEachUnitCell([&](const Point &cell) {
        if (!clip.isVisible(cell))
            return;
        if (flags.unitCells)
            geometry.unitCellCorners.push_back(cell);
        if (flags.unitCellOutlines)
            for (const auto &side : CellSides)
                for (int corner : side)
                    geometry.outlineVertices.push_back(plus(cell, corners[std::size_t(corner)]));
    });
}

} // namespace

AtomGeometry::Rgb AtomGeometryBuilder::bondingColour(int coordination, int secondNeighbourSum)
{
    if (coordination == 3)
        return secondNeighbourSum >= 9 ? AtomGeometry::Rgb{0, 0, 255} : AtomGeometry::Rgb{255, 127, 0};
    if (coordination == 2)
        return {127, 255, 127};
    return {255, 255, 0};
}

AtomGeometry AtomGeometryBuilder::build(const LatticeWalk &lattice, const Automaton::AtomViewFlags &flags,
                                        const ClipPlanes &clip)
{
    AtomGeometry geometry;
    geometry.parts = flags;
    if (flags.atoms || flags.atomLinks) {
        qCDebug(tessivalLog) << "Building atoms";
        addAtoms(lattice, flags, clip, geometry);
    }
    if (flags.unitCells || flags.unitCellOutlines) {
        qCDebug(tessivalLog) << "Building unit cells";
        addUnitCells(lattice, flags, clip, geometry);
    }
    return geometry;
}

AtomGeometry AtomGeometryBuilder::build(const Automaton::TotalVolume &volume,
                                        const Automaton::VolumeViewOptions &options)
{
    const Automaton::AtomViewFlags &flags = options.atomView;
    const boost::shared_ptr<Automaton::SiLattice> lattice = volume.siLattice();
    if (!lattice || !(flags.atoms || flags.atomLinks || flags.unitCells || flags.unitCellOutlines)) {
        AtomGeometry none;
        none.parts = Automaton::AtomViewFlags{false, flags.surfaceAtomsOnly, false, false, false};
        return none;
    }
    const ClipPlanes clip = ClipPlanes::ofDrawRange(
        options.drawRange, {volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()});
    return build(LatticeWalk(volume, *lattice), flags, clip);
}

} // namespace Geometry
} // namespace Model
