#include "Model/Automaton/SiLattice.h"

#include "Model/Automaton/SiAtom.h"
#include "Model/Automaton/SiCell.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/Material.h"

#include <boost/make_shared.hpp>

#include <cmath>
#include <vector>

namespace Model {
namespace Automaton {

const float SiLattice::Basis[8][3] = {
    {0, 0, 0}, {0.5f, 0.5f, 0}, {0.25f, 0.25f, 0.25f}, {0.75f, 0.75f, 0.25f},
    {0.5f, 0, 0.5f}, {0, 0.5f, 0.5f}, {0.75f, 0.25f, 0.75f}, {0.25f, 0.75f, 0.75f},
};

namespace {

const double Sqrt2 = std::sqrt(2.0);

// Bonds inside a cell: (atom, atom, slot).
const int InnerBonds[7][3] = {{0, 2, 3}, {1, 2, 2}, {1, 3, 3}, {2, 4, 2}, {2, 5, 3}, {4, 6, 3}, {5, 7, 3}};

// Bonds to a neighbouring cell, in the order the directions are bonded:
// the cell offset and (this cell's atom, neighbour's atom, slot) pairs.
struct NeighbourBonds
{
    int di, dj, dk;
    int count;
    int bonds[2][3];
};
const NeighbourBonds CellBonds[6] = {
    {0, 1, 0, 2, {{3, 4, 3}, {7, 4, 1}}},  // 22
    {1, 0, 0, 2, {{3, 5, 2}, {6, 5, 1}}},  // 10
    {0, 0, 1, 2, {{6, 1, 3}, {7, 1, 2}}},  // 11
    {1, 1, 0, 1, {{3, 0, 1}, {0, 0, 0}}},  // 19
    {1, 0, 1, 1, {{6, 0, 2}, {0, 0, 0}}},  // 15
    {0, 1, 1, 1, {{7, 0, 3}, {0, 0, 0}}},  // 20
};

} // namespace

SiLattice::SiLattice(TotalVolume &volume, const BuildProgress &progress)
{
    if (!build(volume, progress))
        return;
    if (progress && !progress(m_li, m_li + 1))
        return;
    bondCells();
    m_complete = true;
    if (progress)
        progress(m_li + 1, m_li + 1);
}

SiLattice::~SiLattice()
{
    // Atoms unlink themselves from their neighbours as they go; the border
    // atoms are bonded to cell atoms, so let them go first.
    m_borderAtoms.clear();
    m_cells.clear();
}

unsigned SiLattice::lateralCells(unsigned sizeX, unsigned sizeY)
{
    return unsigned(std::ceil((double(sizeX) + double(sizeY)) / Sqrt2));
}

std::uint64_t SiLattice::candidateCells(unsigned sizeX, unsigned sizeY, unsigned sizeZ)
{
    const std::uint64_t side = lateralCells(sizeX, sizeY);
    return side * side * sizeZ;
}

std::array<Util::Vector3D, 8> SiLattice::unitCellOutline() const
{
    const double h = Sqrt2 / 2.0;
    return {Util::Vector3D(0, 0, 0),  Util::Vector3D(0, 0, 1),  Util::Vector3D(-h, h, 0), Util::Vector3D(-h, h, 1),
            Util::Vector3D(h, h, 0),  Util::Vector3D(h, h, 1),  Util::Vector3D(0, Sqrt2, 0),
            Util::Vector3D(0, Sqrt2, 1)};
}

bool SiLattice::build(TotalVolume &volume, const BuildProgress &progress)
{
    const unsigned nx = volume.sizeX(), ny = volume.sizeY(), nz = volume.sizeZ();
    const Util::Vector3D p = volume.position();
    m_li = m_lj = lateralCells(nx, ny);
    m_lk = nz;
    m_origin = Util::Vector3D(p.x + nx / 2.0, p.y - nx / 2.0, p.z);
    const double angle = 45.0 * std::acos(0.0) / 90.0;
    const double c = std::cos(angle), s = std::sin(angle);
    const double size[3] = {volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()};
    const unsigned counts[3] = {nx, ny, nz};

    LockedCellArrays arrays(volume);
    // A rebuilt lattice counts its atoms afresh.
    for (std::size_t i = 0; i < volume.cellCount(); ++i)
        arrays.current()[i].siAtomCount = arrays.working()[i].siAtomCount = 0;

    struct Placement
    {
        std::array<float, 3> position;
        std::int32_t index;
        int state;
    };
    for (unsigned i = 0; i < m_li; ++i) {
        if (progress && !progress(i, m_li + 1))
            return false;
        for (unsigned j = 0; j < m_lj; ++j)
            for (unsigned k = 0; k < m_lk; ++k) {
                // Place the eight atoms before allocating anything: most
                // candidate cells hold no silicon and are dropped.
                Placement placements[8];
                bool holdsSilicon = false;
                for (int a = 0; a < 8; ++a) {
                    const double lx = i + Basis[a][0], ly = j + Basis[a][1], lz = k + Basis[a][2];
                    // Placed relative to the volume's corner: where the
                    // volume lies changes neither the cells nor the atoms.
                    const double relative[3] = {lx * c - ly * s + nx / 2.0, lx * s + ly * c - nx / 2.0, lz};
                    Placement &placement = placements[a];
                    placement.position = {float(relative[0] + p.x), float(relative[1] + p.y),
                                          float(relative[2] + p.z)};
                    placement.index = -1;
                    placement.state = SiAtom::Fixed;
                    std::uint64_t cell[3];
                    bool inside = true;
                    for (int axis = 0; axis < 3 && inside; ++axis) {
                        // Compared before converting: a tiny cell size
                        // gives a quotient beyond any integer.
                        const double at = relative[axis] / size[axis];
                        inside = at >= 0.0 && at < double(counts[axis]);
                        cell[axis] = inside ? std::uint64_t(at) : 0;
                    }
                    if (!inside)
                        continue;
                    placement.index = std::int32_t((cell[0] * ny + cell[1]) * nz + cell[2]);
                    const std::uint32_t material = arrays.current()[std::size_t(placement.index)].material;
                    if (material == Materials::SiliconId) {
                        placement.state = SiAtom::Silicon;
                        holdsSilicon = true;
                    } else {
                        placement.state = material == 0 ? SiAtom::Absent : SiAtom::Fixed;
                    }
                }
                if (!holdsSilicon)
                    continue;
                auto unitCell = boost::make_shared<SiCell>();
                for (int a = 0; a < 8; ++a) {
                    auto atom = boost::make_shared<SiAtom>(unitCell.get(), std::uint8_t(a), placements[a].position);
                    atom->setIndex(placements[a].index);
                    atom->setState(placements[a].state);
                    if (placements[a].state == SiAtom::Silicon) {
                        const std::size_t index = std::size_t(placements[a].index);
                        ++arrays.current()[index].siAtomCount;
                        ++arrays.working()[index].siAtomCount;
                    }
                    unitCell->atoms()[std::size_t(a)] = atom;
                }
                for (const auto &bond : InnerBonds)
                    SiAtom::link(*unitCell->atoms()[std::size_t(bond[0])], *unitCell->atoms()[std::size_t(bond[1])],
                                 bond[2]);
                const auto &corner = placements[0].position;
                unitCell->setPosition(Util::Vector3D(corner[0], corner[1], corner[2]));
                m_cells.emplace_hint(m_cells.end(), key(i, j, k), unitCell);
            }
    }
    return true;
}

void SiLattice::bondCells()
{
    // A flat table of the kept cells: one lookup per neighbour instead of a
    // search of the map.
    std::vector<SiCell *> table(std::size_t(m_li) * m_lj * m_lk, nullptr);
    for (const auto &entry : m_cells)
        table[entry.first] = entry.second.get();
    for (const auto &entry : m_cells) {
        const unsigned i = entry.first / (m_lk * m_lj);
        const unsigned j = (entry.first / m_lk) % m_lj;
        const unsigned k = entry.first % m_lk;
        for (const NeighbourBonds &direction : CellBonds) {
            const unsigned ni = i + unsigned(direction.di), nj = j + unsigned(direction.dj),
                           nk = k + unsigned(direction.dk);
            if (ni >= m_li || nj >= m_lj || nk >= m_lk)
                continue;
            const SiCell *neighbour = table[key(ni, nj, nk)];
            if (!neighbour)
                continue;
            for (int b = 0; b < direction.count; ++b)
                SiAtom::link(*entry.second->atoms()[std::size_t(direction.bonds[b][0])],
                             *neighbour->atoms()[std::size_t(direction.bonds[b][1])], direction.bonds[b][2]);
        }
    }
}

} // namespace Automaton
} // namespace Model
