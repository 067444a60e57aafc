// The Si lattice and both wet etchings on random structures, held against
// fingerprints of the lattice of shared-pointer atoms that came before the
// compact one: the same unit cells, atoms, positions, states, bonds,
// coordinations and neighbour splits, the same Si atom counts, and the same
// atoms, border atoms, occupations and cells after etching with one thread
// and with two. A differing fingerprint names the aspect that changed.
#include "Core/Operations/SiEtching/AtomicStructureSimpleSiWetEtch.h"
#include "Core/Operations/SiEtching/ContinuosWetEtching.h"
#include "Model/Automaton/SiAtom.h"
#include "Model/Automaton/SiCell.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/TotalVolume.h"

#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using namespace Core::Operations;
using namespace Model::Automaton;

namespace {

// FNV-1a over the bytes of the values fed to it.
class Digest
{
public:
    template<typename T>
    Digest &operator<<(const T &value)
    {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char byte : bytes)
            m_hash = (m_hash ^ byte) * 1099511628211ull;
        return *this;
    }
    std::uint64_t value() const { return m_hash; }

private:
    std::uint64_t m_hash = 14695981039346656037ull;
};

struct Structure
{
    unsigned size[3];
    float cellSize;
    Util::Vector3D position;
    std::uint32_t seed;
    bool noisy; // every cell drawn at random, or silicon carved by boxes
};

// Silicon up to a random height, carved by random empty boxes and covered
// in places by random oxide boxes; or, when noisy, every cell empty,
// silicon or oxide at random. Drawn from the generator's raw output so that
// every standard library draws the same structure.
std::vector<std::uint32_t> materials(const Structure &s)
{
    std::mt19937 random(s.seed);
    const unsigned nx = s.size[0], ny = s.size[1], nz = s.size[2];
    std::vector<std::uint32_t> m(std::size_t(nx) * ny * nz, 0);
    const auto at = [&](unsigned x, unsigned y, unsigned z) -> std::uint32_t & {
        return m[z + nz * (y + std::size_t(ny) * x)];
    };
    if (s.noisy) {
        for (auto &cell : m) {
            const unsigned draw = unsigned(random() % 20);
            cell = draw < 4 ? 0u : (draw < 17 ? 1u : 3u);
        }
        return m;
    }
    const unsigned top = nz / 2 + unsigned(random() % (nz / 2 + 1));
    for (unsigned x = 0; x < nx; ++x)
        for (unsigned y = 0; y < ny; ++y)
            for (unsigned z = 0; z < top && z < nz; ++z)
                at(x, y, z) = 1;
    for (int box = 0; box < 6; ++box) {
        const std::uint32_t material = box % 3 == 2 ? 3u : 0u;
        unsigned low[3], high[3];
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = unsigned(random() % s.size[axis]);
            high[axis] = std::min(s.size[axis], low[axis] + 1 + unsigned(random() % (s.size[axis] / 2 + 1)));
        }
        for (unsigned x = low[0]; x < high[0]; ++x)
            for (unsigned y = low[1]; y < high[1]; ++y)
                for (unsigned z = low[2]; z < high[2]; ++z)
                    at(x, y, z) = material;
    }
    return m;
}

std::unique_ptr<TotalVolume> build(const Structure &s)
{
    auto v = std::make_unique<TotalVolume>(s.size[0], s.size[1], s.size[2], s.cellSize, s.cellSize, s.cellSize,
                                           s.position, materials(s));
    v->rebuildSiLattice();
    return v;
}

// The fingerprints of one lattice, by aspect.
struct Fingerprints
{
    std::uint64_t cells = 0;       // grid, kept unit cells and their corners
    std::uint64_t atoms = 0;       // each atom's state, volume cell and position
    std::uint64_t bonds = 0;       // which atom each bond slot leads to
    std::uint64_t queries = 0;     // coordination, second-neighbour sum and splits
    std::uint64_t occupations = 0; // the continuous etch's remaining fractions
    std::uint64_t border = 0;      // the fixed atoms an etch created, by position
    std::uint64_t voxels = 0;      // materials and Si atom counts of both arrays

    bool operator==(const Fingerprints &o) const
    {
        return std::tie(cells, atoms, bonds, queries, occupations, border, voxels)
            == std::tie(o.cells, o.atoms, o.bonds, o.queries, o.occupations, o.border, o.voxels);
    }
};

void PrintTo(const Fingerprints &f, std::ostream *out)
{
    *out << "{0x" << std::hex << f.cells << "ull, 0x" << f.atoms << "ull, 0x" << f.bonds << "ull, 0x" << f.queries
         << "ull, 0x" << f.occupations << "ull, 0x" << f.border << "ull, 0x" << f.voxels << "ull}" << std::dec;
}

// Where a bond slot leads: no atom, a lattice atom by its cell key and
// basis number, or a fixed border atom by its position.
void feedNeighbour(Digest &d, const SiAtom &neighbour)
{
    if (!neighbour) {
        d << std::uint8_t(0);
        return;
    }
    if (!neighbour.cell()) {
        d << std::uint8_t(2) << neighbour.state() << neighbour.index() << neighbour.position();
        return;
    }
    d << std::uint8_t(1) << neighbour.cell().key() << neighbour.basis();
}

Fingerprints fingerprints(TotalVolume &v)
{
    Fingerprints f;
    SiLattice &lattice = *v.siLattice();

    Digest cells, atoms, bonds, queries, occupations, border, voxels;
    cells << lattice.li() << lattice.lj() << lattice.lk() << lattice.origin().x << lattice.origin().y
          << lattice.origin().z << std::uint64_t(lattice.cellCount());
    for (std::size_t n = 0; n < lattice.cellCount(); ++n) {
        const SiCell cell = lattice.cell(n);
        cells << cell.key() << cell.position().x << cell.position().y << cell.position().z;
        for (const SiAtom &atom : cell.atoms()) {
            atoms << atom.basis() << atom.state() << atom.index() << atom.position();
            for (int slot = 0; slot < 4; ++slot)
                feedNeighbour(bonds, atom.neighbour(slot));
            unsigned ns1, nb1, ns2, nb2;
            atom.firstNeighbourSplit(ns1, nb1);
            atom.secondNeighbourSplit(ns2, nb2);
            queries << atom.coordination() << atom.secondNeighbourSum() << ns1 << nb1 << ns2 << nb2;
            occupations << atom.occupation();
        }
    }
    std::vector<std::tuple<float, float, float>> borderAtoms;
    lattice.forEachBorderAtom([&borderAtoms](SiAtom atom) {
        borderAtoms.emplace_back(atom.position()[0], atom.position()[1], atom.position()[2]);
    });
    std::sort(borderAtoms.begin(), borderAtoms.end());
    border << std::uint64_t(borderAtoms.size());
    for (const auto &position : borderAtoms)
        border << position;

    LockedCellArrays arrays(v);
    for (std::size_t i = 0; i < v.cellCount(); ++i)
        voxels << arrays.current()[i].material << arrays.current()[i].siAtomCount << arrays.working()[i].material
               << arrays.working()[i].siAtomCount;

    f.cells = cells.value();
    f.atoms = atoms.value();
    f.bonds = bonds.value();
    f.queries = queries.value();
    f.occupations = occupations.value();
    f.border = border.value();
    f.voxels = voxels.value();
    return f;
}

const Structure Structures[] = {
    {{9, 7, 6}, 1.0f, Util::Vector3D(), 11, false},
    {{12, 10, 8}, 1.0f, Util::Vector3D(), 23, false},
    {{8, 8, 8}, 0.5f, Util::Vector3D(3.25, -1.5, 0.75), 37, false},
    {{10, 9, 7}, 1.0f, Util::Vector3D(), 41, true},
    {{7, 11, 9}, 0.75f, Util::Vector3D(-2, 5, 1), 53, true},
    {{3, 2, 2}, 1.0f, Util::Vector3D(), 61, true},
    {{1, 1, 1}, 1.0f, Util::Vector3D(), 67, false}, // no silicon
};

// Fingerprints of the lattice before the compact storage, per structure:
// as built; after an atomistic etch; after a continuous etch following it
// on the same lattice.
const Fingerprints Expected[][3] = {
#include "SiLatticeFingerprints.inc"
};

class SiLatticeFingerprintTest : public ::testing::Test
{
protected:
    ~SiLatticeFingerprintTest() override
    {
        QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount());
    }
};

} // namespace

TEST_F(SiLatticeFingerprintTest, RandomStructuresBuildAndEtchAsBefore)
{
    const bool print = qEnvironmentVariableIsSet("TESSIVAL_PRINT_FINGERPRINTS");
    const std::size_t count = sizeof(Structures) / sizeof(Structures[0]);
    ASSERT_EQ(sizeof(Expected) / sizeof(Expected[0]), count);
    for (std::size_t n = 0; n < count; ++n) {
        for (int threads : {1, 2}) {
            QThreadPool::globalInstance()->setMaxThreadCount(threads);
            auto v = build(Structures[n]);
            const Fingerprints built = fingerprints(*v);
            AtomicStructureSimpleSiWetEtch(*v, 1.5).runEtching();
            const Fingerprints atomistic = fingerprints(*v);
            ContinuosWetEtching(*v, 1.25).runEtching();
            const Fingerprints continuous = fingerprints(*v);
            if (print && threads == 1) {
                std::cout << "    {";
                for (const Fingerprints *f : {&built, &atomistic, &continuous}) {
                    PrintTo(*f, &std::cout);
                    std::cout << (f == &continuous ? "},\n" : ",\n     ");
                }
            }
            const std::string name = "structure " + std::to_string(n) + ", threads " + std::to_string(threads);
            EXPECT_EQ(built, Expected[n][0]) << name << ", as built";
            EXPECT_EQ(atomistic, Expected[n][1]) << name << ", after the atomistic etch";
            EXPECT_EQ(continuous, Expected[n][2]) << name << ", after the continuous etch";
        }
    }
}
