#pragma once

#include "Model/Automaton/SiAtom.h"
#include "Model/Automaton/SiCell.h"
#include "Util/Vector3D.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace Model {
namespace Automaton {

class TotalVolume;

// The diamond-cubic crystal of a cell volume's silicon: unit cells of
// lattice constant 1, the crystal's [001] along the volume's z and its
// [100] and [010] turned 45° about z, so that the volume's x and y run along
// <110> and its top is a (100) plane. Only unit cells that hold silicon are
// kept. Every atom knows the volume cell it lies in; every volume cell
// counts its Si atoms.
//
// A lattice holds millions of atoms, so an atom is a number, not an object:
// atom 8·n + b is atom b of the n-th kept cell (cells in key order). Per atom
// only its state, its volume cell, its occupation and the fixed border
// atoms bonded to it are stored; its position and its bonded neighbours
// follow from its cell and the unit-cell basis. SiCell and SiAtom are light
// views for those who read the lattice cell by cell and atom by atom.
class SiLattice
{
public:
    using AtomId = std::uint32_t;
    // No atom in that bond slot.
    static constexpr AtomId NoAtom = 0xffffffffu;
    // A fixed atom the etching created where the lattice had none (see
    // hasBorderAtom).
    static constexpr AtomId BorderAtom = 0xfffffffeu;
    static constexpr std::uint32_t NoCell = 0xffffffffu;

    // Told `done` of `total` parts of the build (rows of unit cells, then
    // the bonds between cells) before each; false stops the build there.
    using BuildProgress = std::function<bool(unsigned done, unsigned total)>;

    // Builds the lattice over the volume's current cells, on the pool's
    // threads.
    explicit SiLattice(TotalVolume &volume, const BuildProgress &progress = {});
    SiLattice(const SiLattice &) = delete;
    SiLattice &operator=(const SiLattice &) = delete;

    // How far the lattice reaches over a volume along x, y and z, in world
    // units: the volume's size, so that a cell of edge 2 holds 2 x 2 x 2
    // unit cells; and never less than a unit per cell, so that cells of
    // edge 1 or less keep the lattice they always had, reaching past the
    // volume where it keeps no unit cell.
    struct Reach
    {
        double x, y, z;
    };
    static Reach reachOf(const TotalVolume &volume);
    static Reach reachOf(unsigned sizeX, unsigned sizeY, unsigned sizeZ, double cellX, double cellY, double cellZ);

    // Unit cells along each lateral lattice axis: ceil((x + y) / √2) of the
    // reach, the turned square around the volume; and up: ceil(z).
    static unsigned lateralCells(const Reach &reach);
    static unsigned layers(const Reach &reach);
    // Unit cells the lattice considers: Li · Lj · Lk.
    static std::uint64_t candidateCells(const Reach &reach);
    // Entries of the table that finds a kept cell by its place: the
    // candidate cells with a margin of one on every side.
    static std::uint64_t tableCells(const Reach &reach);
    // Whether the atoms and table entries of such a lattice can be numbered.
    static bool numberable(const Reach &reach);
    // The same for a volume of sizeX x sizeY x sizeZ cells of edge 1.
    static unsigned lateralCells(unsigned sizeX, unsigned sizeY) { return lateralCells(reachOf(sizeX, sizeY, 0, 1, 1, 1)); }
    static std::uint64_t candidateCells(unsigned sizeX, unsigned sizeY, unsigned sizeZ)
    {
        return candidateCells(reachOf(sizeX, sizeY, sizeZ, 1, 1, 1));
    }
    static std::uint64_t tableCells(unsigned sizeX, unsigned sizeY, unsigned sizeZ)
    {
        return tableCells(reachOf(sizeX, sizeY, sizeZ, 1, 1, 1));
    }
    static bool numberable(unsigned sizeX, unsigned sizeY, unsigned sizeZ)
    {
        return numberable(reachOf(sizeX, sizeY, sizeZ, 1, 1, 1));
    }

    // False when the build was stopped: such a lattice must not be used.
    bool isComplete() const { return m_complete; }

    // Unit cells along the lattice axes: Li = Lj = ceil((Nx + Ny) / √2), Lk = Nz.
    unsigned li() const { return m_li; }
    unsigned lj() const { return m_lj; }
    unsigned lk() const { return m_lk; }
    unsigned key(unsigned i, unsigned j, unsigned k) const { return k + m_lk * (j + m_lj * i); }
    const Util::Vector3D &origin() const { return m_origin; }

    // The kept unit cells, in key order (i, then j, then k).
    std::size_t cellCount() const { return m_cellPlaces.size(); }
    SiCell cell(std::size_t n) { return SiCell(this, std::uint32_t(n)); }
    // The number of the kept cell at (i, j, k), or NoCell.
    std::uint32_t findCell(unsigned i, unsigned j, unsigned k) const;
    // The table that finds kept cells by their place on the grid, for maps
    // of the grid laid out as it is: its size, the place of the n-th kept
    // cell, and the step to the cell bond direction d leads to (d = 1..12,
    // as in bondedCells). Every cell a bond leads to lies in the table.
    std::size_t tableSize() const { return m_table.size(); }
    std::uint32_t tablePlaceOf(std::uint32_t n) const { return m_cellPlaces[n]; }
    std::int64_t bondStep(std::size_t d) const { return m_offsets[d]; }
    // Key and lattice place (i, j, k) of the n-th kept cell.
    unsigned cellKey(std::uint32_t n) const;
    std::array<unsigned, 3> cellPlace(std::uint32_t n) const;

    std::size_t atomCount() const { return m_states.size(); }
    SiAtom atom(AtomId id) { return SiAtom(this, id); }

    // Per atom, by number.
    int state(AtomId id) const { return m_states[id]; }
    void setState(AtomId id, int state) { m_states[id] = std::uint8_t(state); }
    std::int32_t index(AtomId id) const { return m_indices[id]; }
    float occupation(AtomId id) const { return m_occupations[id]; }
    void setOccupation(AtomId id, float occupation) { m_occupations[id] = occupation; }
    // World position, as the build placed it.
    std::array<float, 3> position(AtomId id) const;
    // The world position of the fixed border atom in `slot` of atom `id`.
    std::array<float, 3> borderPosition(AtomId id, int slot) const;
    // The atom's sublattice (0 or 1): which bond directions it has.
    static int sublattice(AtomId id) { return ((id & 7u) / 2) % 2; }

    // The atom bonded through `slot`: a lattice atom, BorderAtom or NoAtom.
    AtomId neighbour(AtomId id, int slot) const
    {
        const Link &link = Links[id & 7u][std::size_t(slot)];
        const std::uint32_t n = id >> 3;
        std::uint32_t other = n;
        if (link.direction) {
            other = m_table[std::size_t(std::int64_t(m_cellPlaces[n]) + m_offsets[link.direction])];
            if (other == NoCell)
                return (m_borders[id] >> slot) & 1u ? BorderAtom : NoAtom;
        }
        return (other << 3) | link.basis;
    }
    // The kept cells the bonds of cell n lead to, by direction: the cell
    // itself first, NoCell where no cell was kept. For walks over all atoms
    // of a cell.
    using BondedCells = std::array<std::uint32_t, 13>;
    void bondedCells(std::uint32_t n, BondedCells &cells) const
    {
        cells[0] = n;
        for (std::size_t d = 1; d < cells.size(); ++d)
            cells[d] = m_table[std::size_t(std::int64_t(m_cellPlaces[n]) + m_offsets[d])];
    }
    // neighbour() of an atom of the cell whose bonded cells are given.
    AtomId neighbour(const BondedCells &cells, AtomId id, int slot) const
    {
        const Link &link = Links[id & 7u][std::size_t(slot)];
        const std::uint32_t other = cells[link.direction];
        if (other == NoCell)
            return (m_borders[id] >> slot) & 1u ? BorderAtom : NoAtom;
        return (other << 3) | link.basis;
    }
    // State of a neighbour as neighbour() gives it; NoAtom counts as absent.
    int stateOf(AtomId neighbour) const
    {
        return neighbour == BorderAtom ? SiAtom::Fixed : (neighbour == NoAtom ? SiAtom::Absent : int(m_states[neighbour]));
    }

    // 4 for a fixed atom; otherwise its present neighbours.
    int coordination(AtomId id) const
    {
        if (m_states[id] == SiAtom::Fixed)
            return 4;
        return presentNeighbours(id);
    }
    // The present neighbours, whatever the atom's own state.
    int presentNeighbours(AtomId id) const
    {
        int count = 0;
        for (int slot = 0; slot < 4; ++slot)
            count += stateOf(neighbour(id, slot)) != SiAtom::Absent ? 1 : 0;
        return count;
    }
    // Over the neighbours: coordination - 1 for silicon, 3 for fixed ones.
    int secondNeighbourSum(AtomId id) const;
    // Present neighbours split into surface ones (ns) and bulk ones (nb,
    // fixed or fully bonded).
    void firstNeighbourSplit(AtomId id, unsigned &ns1, unsigned &nb1) const;
    // The same split over the neighbours' neighbours, not back to this atom.
    void secondNeighbourSplit(AtomId id, unsigned &ns2, unsigned &nb2) const;

    // Fixed atoms the etching creates where a bonded neighbour is missing:
    // one may sit in a slot whose neighbour cell was not kept.
    bool hasBorderAtom(AtomId id, int slot) const { return (m_borders[id] >> slot) & 1u; }
    void addBorderAtom(AtomId id, int slot) { m_borders[id] = std::uint8_t(m_borders[id] | (1u << slot)); }
    // Clears those of the eight atoms of cell n. Most cells have none: their
    // bytes are read, not written, so that their cache lines need no writing
    // back.
    void clearCellBorderAtoms(std::uint32_t n)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &m_borders[std::size_t(n) * 8], sizeof bits);
        if (bits)
            std::memset(&m_borders[std::size_t(n) * 8], 0, sizeof bits);
    }
    std::size_t borderAtomCount() const;
    // Calls `visit` with every border atom, by the lattice atom it is bonded
    // to.
    void forEachBorderAtom(const std::function<void(SiAtom)> &visit);

    // The corners of a unit cell, turned as the lattice is.
    std::array<Util::Vector3D, 8> unitCellOutline() const;

    // Bytes the lattice holds.
    std::uint64_t memoryBytes() const;

    // Atom positions of the unit-cell basis, in lattice units.
    static const float Basis[8][3];
    // World-axis bond vectors by sublattice and slot.
    static const float BondVectors[2][4][3];

private:
    // A flat array left unset when made: the build fills its parts on
    // several threads, and a zero fill beforehand would be work on one.
    template<typename T>
    class Array
    {
    public:
        void allocate(std::size_t size)
        {
            m_data.reset(new T[size]);
            m_size = size;
        }
        T &operator[](std::size_t i) { return m_data[i]; }
        const T &operator[](std::size_t i) const { return m_data[i]; }
        T *begin() { return m_data.get(); }
        T *end() { return m_data.get() + m_size; }
        const T *begin() const { return m_data.get(); }
        const T *end() const { return m_data.get() + m_size; }
        std::size_t size() const { return m_size; }
        std::uint64_t bytes() const { return m_size * sizeof(T); }

    private:
        std::unique_ptr<T[]> m_data;
        std::size_t m_size = 0;
    };

    // Where a bond of atom b of a cell leads: direction 0 is the same cell,
    // 1..12 a neighbouring one (see m_offsets); `basis` is the atom there.
    struct Link
    {
        std::uint8_t direction;
        std::uint8_t basis;
    };
    static const std::array<std::array<Link, 4>, 8> Links;

    // False when `progress` stopped it.
    bool build(TotalVolume &volume, const BuildProgress &progress);
    std::size_t tablePlace(unsigned i, unsigned j, unsigned k) const
    {
        return (std::size_t(i) + 1) * (std::size_t(m_lj) + 2) * (std::size_t(m_lk) + 2)
            + (std::size_t(j) + 1) * (std::size_t(m_lk) + 2) + std::size_t(k) + 1;
    }

    unsigned m_li = 0;
    unsigned m_lj = 0;
    unsigned m_lk = 0;
    Util::Vector3D m_origin;
    double m_cos = 0.0;
    double m_sin = 0.0;
    // Per kept cell, its place in the table.
    Array<std::uint32_t> m_cellPlaces;
    // The number of the kept cell at each place of the grid with its margin.
    Array<std::uint32_t> m_table;
    // Table offsets of the twelve neighbouring cells bonds lead to.
    std::int64_t m_offsets[13] = {};
    // Per atom.
    Array<std::uint8_t> m_states;
    Array<std::uint8_t> m_borders; // bit s: a border atom in slot s
    Array<std::int32_t> m_indices;
    Array<float> m_occupations;
    bool m_complete = false;
};

} // namespace Automaton
} // namespace Model
