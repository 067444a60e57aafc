#pragma once

#include "Model/Geometry/AtomGeometry.h"

namespace Model {
namespace Automaton {
class TotalVolume;
}

namespace Geometry {

class ClipPlanes;
class LatticeWalk;

// Builds the atomistic view of a volume's Si lattice. Atoms are coloured
// by their bonding: three bonds with at least nine second neighbours (a
// (111) terrace) blue, three bonds with fewer orange, two bonds (a (100)
// surface) light green, anything else (bulk and fixed atoms) yellow;
// border atoms are pink. A surface atom has an empty bond slot or an
// absent neighbour; with "surface atoms only" the others are neither drawn
// nor start bonds. A bond to a neighbour that is not silicon ends halfway.
// Atoms and unit cells outside the clip planes are left out.
class AtomGeometryBuilder
{
public:
    static constexpr AtomGeometry::Rgb BorderAtomColour{255, 0, 127};

    static AtomGeometry build(const LatticeWalk &lattice, const Automaton::AtomViewFlags &flags,
                              const ClipPlanes &clip);
    // The volume's lattice, clipped to the draw range of `options`; empty
    // without a lattice or with every part off. The caller holds the cells.
    static AtomGeometry build(const Automaton::TotalVolume &volume, const Automaton::VolumeViewOptions &options);

    static AtomGeometry::Rgb bondingColour(int coordination, int secondNeighbourSum);
};

} // namespace Geometry
} // namespace Model
