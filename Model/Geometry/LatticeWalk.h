#pragma once

#include <array>
#include <functional>

namespace Model {
namespace Automaton {
class SiLattice;
class TotalVolume;
}

namespace Geometry {

// One atom of a volume's Si lattice as the atomistic view needs it.
struct LatticeAtom
{
    using Point = std::array<float, 3>;

    Point position{}; // world units from the volume's corner
    int state = 0;    // 0 absent, 1 silicon, 3 fixed
    int coordination = 0;
    int secondNeighbourSum = 0;
    // An empty bond slot or an absent neighbour.
    bool surface = false;
    // The bonded neighbours: where each is, and whether it is silicon.
    int bondCount = 0;
    std::array<Point, 4> bondEnds{};
    std::array<bool, 4> bondToSilicon{};
};

// Reads a volume's Si lattice for the view: the only place the view knows
// how the lattice stores its atoms. Positions are given from the corner of
// the volume as it lay when the lattice was built, which is how the view
// draws a volume wherever it has since been moved. The caller holds the
// volume's cells, so that no step changes the lattice meanwhile.
class LatticeWalk
{
public:
    LatticeWalk(const Automaton::TotalVolume &volume, Automaton::SiLattice &lattice);

    // Every atom of every stored unit cell; with `surfaceOnly`, only those
    // with an empty bond slot or an absent neighbour (the bulk is skipped
    // before its neighbours are counted).
    void forEachAtom(const std::function<void(const LatticeAtom &)> &visit, bool surfaceOnly = false) const;
    // The corner (its atom 0) of every stored unit cell.
    void forEachUnitCell(const std::function<void(const LatticeAtom::Point &)> &visit) const;
    // The fixed atoms the etching left where a neighbour went missing.
    void forEachBorderAtom(const std::function<void(const LatticeAtom::Point &)> &visit) const;
    // The corners of a unit cell from its atom 0, turned as the lattice is.
    std::array<LatticeAtom::Point, 8> unitCellCorners() const;

private:
    LatticeAtom::Point fromCorner(const std::array<float, 3> &world) const;

    Automaton::SiLattice &m_lattice;
    std::array<double, 3> m_corner{};
};

} // namespace Geometry
} // namespace Model
