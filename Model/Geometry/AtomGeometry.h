#pragma once

#include "Model/Automaton/VolumeViewOptions.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Model {
namespace Geometry {

// What the atomistic view shows of a volume's Si lattice, in world units
// from the volume's corner: the atoms with the colour of their bonding,
// the border atoms, the bonds as line segments, and the unit cells as
// boxes and outlines. Only the parts the view options ask for are filled.
struct AtomGeometry
{
    using Point = std::array<float, 3>;
    using Rgb = std::array<std::uint8_t, 3>;

    struct Atom
    {
        Point position;
        Rgb colour;
    };

    // The parts built; all off without a lattice.
    Automaton::AtomViewFlags parts;
    std::vector<Atom> atoms;
    std::vector<Point> borderAtoms;
    // Two vertices per bond.
    std::vector<Point> bondVertices;
    // The corner of each unit cell whose box is drawn.
    std::vector<Point> unitCellCorners;
    // One unit-cell box as triangles, placed at each corner above.
    std::vector<Point> unitCellTriangles;
    // Four vertices per side of every shown unit cell.
    std::vector<Point> outlineVertices;
};

} // namespace Geometry
} // namespace Model
