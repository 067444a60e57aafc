#pragma once

#include "Util/Vector3D.h"

#include <boost/shared_ptr.hpp>

#include <array>
#include <cstdint>
#include <functional>
#include <list>
#include <map>

namespace Model {
namespace Automaton {

class SiAtom;
class SiCell;
class TotalVolume;

// The diamond-cubic crystal of a cell volume's silicon: unit cells of
// lattice constant 1, the crystal's [001] along the volume's z and its
// [100] and [010] turned 45° about z, so that the volume's x and y run along
// <110> and its top is a (100) plane. Only unit cells that hold silicon are
// kept. Every atom knows the volume cell it lies in; every volume cell
// counts its Si atoms.
class SiLattice
{
public:
    using CellMap = std::map<unsigned, boost::shared_ptr<SiCell>>;
    using AtomList = std::list<boost::shared_ptr<SiAtom>>;
    // Told `done` of `total` parts of the build (rows of unit cells, then
    // the bonds between cells) before each; false stops the build there.
    using BuildProgress = std::function<bool(unsigned done, unsigned total)>;

    // Builds the lattice over the volume's current cells.
    explicit SiLattice(TotalVolume &volume, const BuildProgress &progress = {});
    ~SiLattice();
    SiLattice(const SiLattice &) = delete;
    SiLattice &operator=(const SiLattice &) = delete;

    // Unit cells along each lateral lattice axis for a volume of sizeX x
    // sizeY cells: ceil((Nx + Ny) / √2), the turned square around it.
    static unsigned lateralCells(unsigned sizeX, unsigned sizeY);
    // Unit cells the lattice of such a volume considers: Li · Lj · Lk.
    static std::uint64_t candidateCells(unsigned sizeX, unsigned sizeY, unsigned sizeZ);

    // False when the build was stopped: such a lattice must not be used.
    bool isComplete() const { return m_complete; }

    // Unit cells along the lattice axes: Li = Lj = ceil((Nx + Ny) / √2), Lk = Nz.
    unsigned li() const { return m_li; }
    unsigned lj() const { return m_lj; }
    unsigned lk() const { return m_lk; }
    unsigned key(unsigned i, unsigned j, unsigned k) const { return k + m_lk * (j + m_lj * i); }
    const CellMap &cells() const { return m_cells; }
    const Util::Vector3D &origin() const { return m_origin; }

    // Fixed atoms the etching creates where a bonded neighbour is missing.
    AtomList &borderAtoms() { return m_borderAtoms; }

    // The corners of a unit cell, turned as the lattice is.
    std::array<Util::Vector3D, 8> unitCellOutline() const;

    // Atom positions of the unit-cell basis, in lattice units.
    static const float Basis[8][3];

private:
    // False when `progress` stopped it.
    bool build(TotalVolume &volume, const BuildProgress &progress);
    void bondCells();

    unsigned m_li = 0;
    unsigned m_lj = 0;
    unsigned m_lk = 0;
    Util::Vector3D m_origin;
    CellMap m_cells;
    AtomList m_borderAtoms;
    bool m_complete = false;
};

} // namespace Automaton
} // namespace Model
