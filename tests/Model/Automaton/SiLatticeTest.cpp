// The diamond lattice over a cell volume: its size, which unit cells it
// keeps, its bonds, the atom queries, the Si atom counts of the cells, and
// the memory it is estimated to need and takes.
#include "Model/Automaton/SiAtom.h"
#include "Model/Automaton/SiCell.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/SiLatticeMemory.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Automaton/VolumeMemory.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <set>

using namespace Model::Automaton;

namespace {

std::unique_ptr<TotalVolume> volume(unsigned sx, unsigned sy, unsigned sz, std::uint32_t material)
{
    return std::make_unique<TotalVolume>(sx, sy, sz, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                         std::vector<std::uint32_t>(std::size_t(sx) * sy * sz, material));
}

std::size_t bonds(const SiAtom &atom)
{
    std::size_t count = 0;
    for (int slot = 0; slot < 4; ++slot)
        count += atom.neighbour(slot) ? 1 : 0;
    return count;
}

} // namespace

TEST(SiLattice, OneCellVolumeHasFourCandidateCells)
{
    auto v = volume(1, 1, 1, 1);
    SiLattice lattice(*v);
    EXPECT_EQ(lattice.li(), 2u);
    EXPECT_EQ(lattice.lj(), 2u);
    EXPECT_EQ(lattice.lk(), 1u);
    EXPECT_LE(lattice.cellCount(), 4u);
    EXPECT_GE(lattice.cellCount(), 1u);
}

TEST(SiLattice, VolumeWithoutSiliconKeepsNoCell)
{
    auto v = volume(4, 3, 2, 3);
    SiLattice lattice(*v);
    EXPECT_EQ(lattice.cellCount(), 0u);
    auto empty = volume(4, 3, 2, 0);
    EXPECT_EQ(SiLattice(*empty).cellCount(), 0u);
}

TEST(SiLattice, InnerAndCellBondsUseEverySlotOnce)
{
    auto v = volume(6, 6, 4, 1);
    SiLattice lattice(*v);
    const std::uint32_t first = lattice.findCell(0, 0, 0);
    if (first != SiLattice::NoCell) {
        const SiAtom corner = lattice.cell(first).atom(0);
        EXPECT_EQ(bonds(corner), 1u) << "atom 0 of cell (0, 0, 0) has only its slot-3 bond";
        EXPECT_TRUE(corner.neighbour(3));
    }
    for (std::size_t n = 0; n < lattice.cellCount(); ++n) {
        const SiAtom two = lattice.cell(n).atom(2);
        EXPECT_EQ(bonds(two), 4u) << "atom 2 is bonded inside its cell";
        for (int slot = 0; slot < 4; ++slot)
            EXPECT_EQ(two.neighbour(slot).neighbour(3 - slot), two) << "bonds are mutual";
    }
    // Every bond of every kept atom is mutual, across cells too.
    for (std::size_t id = 0; id < lattice.atomCount(); ++id) {
        const SiAtom atom = lattice.atom(SiLattice::AtomId(id));
        for (int slot = 0; slot < 4; ++slot) {
            if (const SiAtom other = atom.neighbour(slot)) {
                ASSERT_EQ(other.neighbour(3 - slot), atom) << id << " slot " << slot;
            }
        }
    }
}

TEST(SiLattice, InteriorAtomsAreFullyBondedSilicon)
{
    auto v = volume(10, 10, 8, 1);
    SiLattice lattice(*v);
    std::size_t interior = 0;
    for (std::size_t n = 0; n < lattice.cellCount(); ++n)
        for (const SiAtom &atom : lattice.cell(n).atoms()) {
            const auto &p = atom.position();
            if (p[0] < 3 || p[0] > 7 || p[1] < 3 || p[1] > 7 || p[2] < 2 || p[2] > 6)
                continue;
            ++interior;
            EXPECT_EQ(atom.state(), SiAtom::Silicon);
            EXPECT_EQ(atom.coordination(), 4);
            EXPECT_EQ(atom.secondNeighbourSum(), 12);
            unsigned ns1, nb1, ns2, nb2;
            atom.firstNeighbourSplit(ns1, nb1);
            atom.secondNeighbourSplit(ns2, nb2);
            EXPECT_EQ(nb1, 4u);
            EXPECT_EQ(nb2, 12u);
            EXPECT_EQ(ns1 + ns2, 0u);
        }
    EXPECT_GT(interior, 100u);
}

TEST(SiLattice, AtomsCountIntoTheirVolumeCells)
{
    // Silicon below, oxide above: only atoms in silicon cells count.
    std::vector<std::uint32_t> m(5 * 5 * 4);
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i] = i % 4 < 2 ? 1u : 3u;
    TotalVolume v(5, 5, 4, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
    SiLattice lattice(v);
    std::map<std::int32_t, int> atomsPerCell;
    for (std::size_t n = 0; n < lattice.cellCount(); ++n)
        for (const SiAtom &atom : lattice.cell(n).atoms()) {
            if (atom.state() == SiAtom::Silicon) {
                ++atomsPerCell[atom.index()];
                EXPECT_EQ(m[std::size_t(atom.index())], 1u);
            } else if (atom.index() >= 0 && m[std::size_t(atom.index())] == 3u) {
                EXPECT_EQ(atom.state(), SiAtom::Fixed) << "atoms in another material are fixed";
            }
        }
    LockedCellArrays arrays(v);
    int total = 0;
    for (std::size_t i = 0; i < v.cellCount(); ++i) {
        EXPECT_EQ(arrays.current()[i].siAtomCount, atomsPerCell[std::int32_t(i)]) << i;
        EXPECT_EQ(arrays.working()[i].siAtomCount, arrays.current()[i].siAtomCount);
        total += arrays.current()[i].siAtomCount;
    }
    // Eight atoms per unit volume of silicon: 5 x 5 x 2 cells.
    EXPECT_NEAR(total, 8 * 50, 8 * 50 / 5);
}

TEST(SiLattice, RebuildingCountsAfreshAndReplacesTheLattice)
{
    auto v = volume(3, 3, 2, 1);
    v->rebuildSiLattice();
    const auto first = v->siLattice();
    ASSERT_TRUE(first);
    const auto counts = [&v] {
        LockedCells cells(*v);
        std::vector<int> result;
        for (std::size_t i = 0; i < v->cellCount(); ++i)
            result.push_back(cells[i].siAtomCount);
        return result;
    };
    const auto before = counts();
    v->rebuildSiLattice();
    EXPECT_NE(v->siLattice(), first);
    EXPECT_EQ(counts(), before) << "a second build does not count atoms twice";
}

TEST(SiLattice, LatticeSitsOnTheVolumeWhereverItIs)
{
    TotalVolume shifted(4, 4, 2, 0.5f, 0.5f, 0.5f, Util::Vector3D(10, -3, 2), std::vector<std::uint32_t>(32, 1));
    SiLattice lattice(shifted);
    std::size_t silicon = 0;
    for (std::size_t n = 0; n < lattice.cellCount(); ++n)
        for (const SiAtom &atom : lattice.cell(n).atoms())
            if (atom.state() == SiAtom::Silicon) {
                ++silicon;
                const auto &p = atom.position();
                EXPECT_GE(p[0], 10.0f);
                EXPECT_LT(p[0], 12.0f);
                EXPECT_GE(p[1], -3.0f);
                EXPECT_LT(p[1], -1.0f);
            }
    EXPECT_GT(silicon, 0u);
}

TEST(SiLattice, MemoryEstimateCoversTheAtomsAndTheTableOfUnitCells)
{
    // A tall volume with one layer of silicon: the table of all unit cells,
    // empty ones too, outweighs the few atoms.
    std::vector<std::uint32_t> m(20 * 20 * 400, 0);
    for (std::size_t i = 0; i < m.size(); i += 400)
        m[i] = 1;
    TotalVolume v(20, 20, 400, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
    const std::uint64_t estimate = SiLatticeMemory::estimatedBytes(v);
    SiLattice lattice(v);
    EXPECT_EQ(std::uint64_t(lattice.li()) * lattice.lj() * lattice.lk(), SiLattice::candidateCells(20, 20, 400));
    const std::uint64_t table = SiLattice::tableCells(20, 20, 400) * sizeof(std::uint32_t);
    EXPECT_GE(estimate, lattice.memoryBytes());
    EXPECT_GE(lattice.memoryBytes(), table) << "the table of unit cells is part of the lattice";

    std::string problem;
    EXPECT_TRUE(SiLatticeMemory::fits(v, estimate, &problem));
    EXPECT_FALSE(SiLatticeMemory::fits(v, table, &problem)) << "the table alone does not leave room for the atoms";
    EXPECT_EQ(problem, SiLatticeMemory::describeNeed(v) + ", but only "
                           + VolumeMemory::describeBytes(double(table)) + " is available.");
}

TEST(SiLattice, MemoryEstimateCoversTheMapAnEtchingMakesOfTheTable)
{
    // A row of silicon in a wide volume one cell high: the table of unit
    // cells, and the byte per entry a wet etching maps it with, outweigh
    // the atoms.
    std::vector<std::uint32_t> m(300 * 300, 0);
    for (std::size_t y = 0; y < 300; ++y)
        m[y] = 1;
    TotalVolume v(300, 300, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
    SiLattice lattice(v);
    EXPECT_GE(SiLatticeMemory::estimatedBytes(v), lattice.memoryBytes() + lattice.tableSize());
}

TEST(SiLattice, AtomTakesFewBytes)
{
    // States, volume cells, occupations and border bonds per atom, and the
    // table of unit cells, on a block of silicon: a lattice of millions of
    // atoms must fit beside its volume.
    auto v = volume(24, 24, 24, 1);
    SiLattice lattice(*v);
    ASSERT_GT(lattice.atomCount(), 100000u);
    EXPECT_LE(double(lattice.memoryBytes()) / double(lattice.atomCount()), 16.0);
    EXPECT_LE(double(lattice.memoryBytes()),
              double(SiLatticeMemory::estimatedBytes(*v)))
        << "the estimate covers the lattice";
}

TEST(SiLattice, LatticeWithMoreUnitCellsThanKeysIsRefused)
{
    // 100000 x 1 x 1 cells turn into a 70711 x 70711 square of unit cells:
    // more than an unsigned key can number.
    TotalVolume v(100000, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(), std::vector<std::uint32_t>(100000, 1));
    EXPECT_GT(SiLattice::candidateCells(100000, 1, 1), std::uint64_t(std::numeric_limits<unsigned>::max()) + 1);
    std::string problem;
    EXPECT_FALSE(SiLatticeMemory::fits(v, std::numeric_limits<std::uint64_t>::max(), &problem));
    EXPECT_EQ(problem, "The Si lattice of this volume would have more unit cells than it can number.");

    // Atoms are numbered by 32 bits, eight per unit cell: 600 million unit
    // cells have keys but their atoms no numbers.
    EXPECT_LT(SiLattice::candidateCells(20000, 1, 3), std::uint64_t(std::numeric_limits<unsigned>::max()));
    EXPECT_FALSE(SiLattice::numberable(20000, 1, 3));
    EXPECT_TRUE(SiLattice::numberable(400, 400, 200));
}

// Cells of several units hold several unit cells each: the lattice reaches
// over the volume's size in world units, every cell of silicon counts the
// atoms inside it, and the memory estimate and the numbering limit follow
// the lattice, not the cell counts.
TEST(SiLattice, LargeCellsHoldTheUnitCellsOfTheirSize)
{
    TotalVolume v(6, 5, 4, 2.0f, 2.0f, 3.0f, Util::Vector3D(-3, 1, 2),
                  std::vector<std::uint32_t>(6 * 5 * 4, 1));
    const std::uint64_t estimate = SiLatticeMemory::estimatedBytes(v);
    SiLattice lattice(v);
    EXPECT_EQ(lattice.li(), SiLattice::lateralCells(12, 10)) << "as 12 x 10 cells of edge 1";
    EXPECT_EQ(lattice.lk(), 12u);
    EXPECT_EQ(lattice.origin().x, -3.0 + 6.0);
    EXPECT_EQ(lattice.origin().y, 1.0 - 6.0);
    EXPECT_GE(estimate, lattice.memoryBytes() + lattice.tableSize());

    std::int64_t counted = 0;
    {
        LockedCells cells(v);
        for (std::size_t i = 0; i < v.cellCount(); ++i) {
            EXPECT_GT(cells[i].siAtomCount, 0) << "cell " << i;
            counted += cells[i].siAtomCount;
        }
    }
    std::int64_t silicon = 0;
    for (std::size_t n = 0; n < lattice.cellCount(); ++n)
        for (const SiAtom &atom : lattice.cell(n).atoms())
            silicon += atom.state() == SiAtom::Silicon ? 1 : 0;
    EXPECT_EQ(counted, silicon);
    EXPECT_NEAR(double(silicon), 8.0 * 12 * 10 * 12, 0.1 * 8.0 * 12 * 10 * 12) << "eight atoms per unit of silicon";

    // 100 x 100 cells of a thousand units: a square of 141 422 unit cells
    // a side, more than atoms can be numbered in.
    TotalVolume wide(100, 100, 1, 1000.0f, 1000.0f, 1.0f, Util::Vector3D(), std::vector<std::uint32_t>(100 * 100, 1));
    EXPECT_TRUE(SiLattice::numberable(100, 100, 1));
    std::string problem;
    EXPECT_FALSE(SiLatticeMemory::fits(wide, std::numeric_limits<std::uint64_t>::max(), &problem));
    EXPECT_EQ(problem, "The Si lattice of this volume would have more unit cells than it can number.");
}
