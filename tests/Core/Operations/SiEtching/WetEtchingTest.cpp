// Wet etching of silicon on its lattice: step counts, the two removal rules
// on real and hand-built atom neighbourhoods, the cell bookkeeping, the pit
// through a mask opening, and the same result for every thread count.
#include "Core/Operations/SiEtching/AtomicConfiguration.h"
#include "Core/Operations/SiEtching/AtomicStructureSimpleSiWetEtch.h"
#include "Core/Operations/SiEtching/ContinuosWetEtching.h"
#include "Model/Automaton/SiAtom.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/TotalVolume.h"

#include "LogCapture.h"
#include "ScriptedInterrupter.h"

#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>

using namespace Core::Operations;
using Model::Automaton::SiAtom;
using Model::Automaton::TotalVolume;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3;
// A substrate under an oxide mask whose opening (a third of the width) is
// wide enough for a pit with several layers of wall.
constexpr unsigned PitSize = 30, PitSurface = 10;

// Si below `surface`, empty above; an oxide mask with a square opening on
// top when `mask` is set.
std::unique_ptr<TotalVolume> slab(unsigned sx, unsigned sy, unsigned sz, unsigned surface, bool mask = false)
{
    std::vector<std::uint32_t> m(std::size_t(sx) * sy * sz, 0);
    for (unsigned x = 0; x < sx; ++x)
        for (unsigned y = 0; y < sy; ++y)
            for (unsigned z = 0; z < sz; ++z) {
                const bool opening = x >= sx / 3 && x < 2 * sx / 3 && y >= sy / 3 && y < 2 * sy / 3;
                std::uint32_t value = z < surface ? Si : 0u;
                if (mask && z == surface && !opening)
                    value = Oxide;
                m[z + sz * (y + std::size_t(sy) * x)] = value;
            }
    auto v = std::make_unique<TotalVolume>(sx, sy, sz, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
    v->rebuildSiLattice();
    return v;
}

void forEachAtom(TotalVolume &v, const std::function<void(SiAtom)> &visit)
{
    Model::Automaton::SiLattice &lattice = *v.siLattice();
    for (std::size_t n = 0; n < lattice.cellCount(); ++n)
        for (const SiAtom &atom : lattice.cell(n).atoms())
            visit(atom);
}

// The highest silicon away from the volume's sides (where bonds leaving the
// volume are held by fixed atoms and the surface is not free).
float highestSilicon(TotalVolume &v)
{
    const Util::Vector3D p = v.position();
    const float x0 = float(p.x) + 2, x1 = float(p.x) + v.sizeX() * v.cellsizeX() - 2;
    const float y0 = float(p.y) + 2, y1 = float(p.y) + v.sizeY() * v.cellsizeY() - 2;
    float top = -1e9f;
    forEachAtom(v, [&](SiAtom atom) {
        const auto a = atom.position();
        if (atom.state() == SiAtom::Silicon && a[0] > x0 && a[0] < x1 && a[1] > y0 && a[1] < y1)
            top = std::max(top, a[2]);
    });
    return top;
}

std::set<std::tuple<float, float, float>> siliconAtoms(TotalVolume &v)
{
    std::set<std::tuple<float, float, float>> atoms;
    forEachAtom(v, [&](SiAtom atom) {
        if (atom.state() == SiAtom::Silicon)
            atoms.emplace(atom.position()[0], atom.position()[1], atom.position()[2]);
    });
    return atoms;
}

// Builds atom neighbourhoods by hand for the continuous rule, in a lattice
// of absent atoms: each centre lies far enough from the others that no
// query of one reaches what is set around another. An absent neighbour
// whose own neighbours are absent counts as no neighbour at all.
class Neighbourhood
{
public:
    Neighbourhood()
        : m_volume(std::make_unique<TotalVolume>(16, 16, 10, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                 std::vector<std::uint32_t>(16 * 16 * 10, Si)))
    {
        m_volume->rebuildSiLattice();
        forEachAtom(*m_volume, [this](SiAtom atom) {
            atom.setState(SiAtom::Absent);
            const auto p = atom.position();
            if (p[0] < 3 || p[0] > 13 || p[1] < 3 || p[1] > 13 || p[2] < 3 || p[2] > 7)
                return;
            for (const SiAtom &other : m_centres) {
                const auto q = other.position();
                const float dx = p[0] - q[0], dy = p[1] - q[1], dz = p[2] - q[2];
                if (dx * dx + dy * dy + dz * dz < 9.0f)
                    return;
            }
            m_centres.push_back(atom);
        });
    }
    // A new centre with nothing around it.
    SiAtom atom(int state)
    {
        SiAtom centre = m_centres.at(m_used++);
        centre.setState(state);
        return centre;
    }
    // Gives `centre` neighbours of the listed states in slots 0, 1, ...
    void bond(SiAtom centre, std::initializer_list<int> states)
    {
        int slot = 0;
        for (int state : states)
            centre.neighbour(slot++).setState(state);
    }
    // A neighbour of `centre` in `slot` whose other slots hold the given states.
    SiAtom withOthers(SiAtom centre, int slot, int state, std::initializer_list<int> others)
    {
        SiAtom r = centre.neighbour(slot);
        r.setState(state);
        int k = 0;
        for (int other : others) {
            if (k == 3 - slot)
                ++k; // the bond back to the centre
            r.neighbour(k).setState(other);
            ++k;
        }
        return r;
    }

private:
    std::unique_ptr<TotalVolume> m_volume;
    std::vector<SiAtom> m_centres;
    std::size_t m_used = 0;
};

// Exposes one decision of the continuous rule.
class ContinuousRule : public ContinuosWetEtching
{
public:
    using ContinuosWetEtching::ContinuosWetEtching;
    bool removes(SiAtom atom) { return decide(atom) == Decision::Remove; }
};

// A rule that leaves the surface atoms up to x = `bound` as they were and
// wears down the occupation of those beyond, removing none.
class WearingRule : public SiWetEtchFrame
{
public:
    WearingRule(TotalVolume &volume, double depth, Interrupter *interrupter, float bound)
        : SiWetEtchFrame(volume, depth, interrupter)
        , m_bound(bound)
    {
    }

protected:
    Decision decide(SiLattice &lattice, AtomId atom) override
    {
        if (lattice.position(atom)[0] <= m_bound)
            return Decision::Stay;
        lattice.setOccupation(atom, lattice.occupation(atom) * 0.5f);
        return Decision::Wear;
    }

private:
    const float m_bound;
};

class WetEtchingTest : public ::testing::Test
{
protected:
    ~WetEtchingTest() override { QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount()); }
};

// Steps until the rule removes a fresh atom of this neighbourhood.
int stepsToRemove(ContinuousRule &rule, SiAtom centre, int limit)
{
    centre.setOccupation(1.0f);
    for (int step = 1; step <= limit; ++step)
        if (rule.removes(centre))
            return step;
    return -1;
}

} // namespace

TEST_F(WetEtchingTest, StepsAreQuarterLatticeMonolayers)
{
    EXPECT_EQ(SiWetEtchFrame::stepCount(10), 40);
    EXPECT_EQ(SiWetEtchFrame::stepCount(0.1), 0);
    EXPECT_EQ(SiWetEtchFrame::stepCount(0.125), 1);
    EXPECT_EQ(SiWetEtchFrame::stepCount(0), 0);
    EXPECT_EQ(SiWetEtchFrame::stepCount(-1), 0);
}

TEST_F(WetEtchingTest, FlatSurfaceLosesOneMonolayerPerStep)
{
    auto v = slab(8, 8, 8, 4);
    const float top = highestSilicon(*v);
    EXPECT_FLOAT_EQ(top, 3.75f);
    AtomicStructureSimpleSiWetEtch(*v, 0.25).runEtching();
    EXPECT_FLOAT_EQ(highestSilicon(*v), 3.5f) << "the two-bonded (100) surface atoms go in the first step";
    // A new run starts again from every atom of the cells still silicon,
    // then takes two monolayers.
    AtomicStructureSimpleSiWetEtch(*v, 0.5).runEtching();
    EXPECT_FLOAT_EQ(highestSilicon(*v), 3.25f);
}

TEST_F(WetEtchingTest, BondCountingKeepsThreeBondedTerraceAtoms)
{
    EXPECT_TRUE(AtomicStructureSimpleSiWetEtch::removes(2, 12));
    EXPECT_TRUE(AtomicStructureSimpleSiWetEtch::removes(3, 8));
    EXPECT_FALSE(AtomicStructureSimpleSiWetEtch::removes(3, 9));

    // An interior atom with one neighbour gone is a (111) terrace atom.
    auto v = slab(10, 10, 8, 8);
    SiAtom terrace;
    forEachAtom(*v, [&terrace](SiAtom atom) {
        const auto p = atom.position();
        if (!terrace && p[0] > 4 && p[0] < 6 && p[1] > 4 && p[1] < 6 && p[2] > 3 && p[2] < 5)
            terrace = atom;
    });
    ASSERT_TRUE(terrace);
    terrace.neighbour(0).setState(SiAtom::Absent);
    EXPECT_EQ(terrace.coordination(), 3);
    EXPECT_EQ(terrace.secondNeighbourSum(), 9);
    EXPECT_FALSE(AtomicStructureSimpleSiWetEtch::removes(terrace.coordination(), terrace.secondNeighbourSum()));
    terrace.neighbour(0).setState(SiAtom::Silicon);
}

TEST_F(WetEtchingTest, CellsEmptyExactlyWhenTheirLastAtomGoes)
{
    auto v = slab(8, 8, 8, 4);
    const auto before = v->materials();
    AtomicStructureSimpleSiWetEtch(*v, 1.0).runEtching();
    const auto after = v->materials();
    Model::Automaton::LockedCellArrays arrays(*v);
    std::size_t emptied = 0;
    for (std::size_t i = 0; i < v->cellCount(); ++i) {
        const auto &cell = arrays.current()[i];
        EXPECT_GE(cell.siAtomCount, 0);
        EXPECT_EQ(cell.siAtomCount, arrays.working()[i].siAtomCount);
        if (before[i] == Si) {
            EXPECT_EQ(after[i] == 0, cell.siAtomCount == 0) << "cell " << i;
            emptied += after[i] == 0;
        }
    }
    EXPECT_GT(emptied, 0u);
    EXPECT_EQ(after[v->cellIndex(4, 4, 2)], Si) << "the second layer of cells is untouched";
}

TEST_F(WetEtchingTest, BorderAtomsHoldTheBondsThatLeaveTheVolume)
{
    // Bonds of surface atoms that lead out of the volume, or into the mask,
    // end on fixed atoms the etching places; each is bonded back to the
    // atom that holds it, and a second run places them afresh.
    auto v = slab(9, 8, 8, 4, true);
    Model::Automaton::SiLattice &lattice = *v->siLattice();
    EXPECT_EQ(lattice.borderAtomCount(), 0u);
    AtomicStructureSimpleSiWetEtch(*v, 0.25).runEtching();
    const std::size_t count = lattice.borderAtomCount();
    EXPECT_GT(count, 0u);
    std::size_t visited = 0;
    lattice.forEachBorderAtom([&](SiAtom border) {
        ++visited;
        EXPECT_EQ(border.state(), SiAtom::Fixed);
        EXPECT_EQ(border.index(), -1);
        EXPECT_EQ(border.coordination(), 4);
        EXPECT_FALSE(border.cell());
        int bonds = 0;
        for (int slot = 0; slot < 4; ++slot) {
            if (const SiAtom holder = border.neighbour(slot)) {
                ++bonds;
                EXPECT_FALSE(holder.isBorderAtom());
                EXPECT_EQ(holder.neighbour(3 - slot), border);
            }
        }
        EXPECT_EQ(bonds, 1);
    });
    EXPECT_EQ(visited, count);
    AtomicStructureSimpleSiWetEtch(*v, 0.1).runEtching();
    EXPECT_EQ(lattice.borderAtomCount(), count) << "border atoms are not placed twice";
}

TEST_F(WetEtchingTest, MaskedOpeningEtchesOnlyUnderTheOpening)
{
    auto v = slab(12, 12, 10, 7, true);
    AtomicStructureSimpleSiWetEtch(*v, 2.0).runEtching();
    EXPECT_EQ(v->materials()[v->cellIndex(6, 6, 6)], 0u) << "silicon under the opening is etched";
    EXPECT_EQ(v->materials()[v->cellIndex(1, 1, 6)], Si) << "silicon under the mask stays";
    EXPECT_EQ(v->materials()[v->cellIndex(1, 1, 7)], Oxide) << "the mask is never etched";
}

TEST_F(WetEtchingTest, EveryThreadCountGivesTheSameAtomsAndCells)
{
    struct Case
    {
        const char *name;
        unsigned size[3], surface;
        double depth;
    };
    const Case cases[] = {{"small opening", {11, 9, 9}, 6, 3.0}, {"pit", {PitSize, PitSize, 14}, PitSurface, 20.0}};
    for (const Case &c : cases)
        for (bool continuous : {false, true}) {
            const std::string name = std::string(c.name) + (continuous ? ", continuous, " : ", atomistic, ");
            std::vector<std::uint32_t> expectedCells;
            std::set<std::tuple<float, float, float>> expectedAtoms;
            // With eight threads the small opening has fewer planes than
            // strips would be wanted: a strip per plane.
            for (int threads : {1, 2, 3, 8}) {
                QThreadPool::globalInstance()->setMaxThreadCount(threads);
                auto v = slab(c.size[0], c.size[1], c.size[2], c.surface, true);
                const std::size_t startAtoms = siliconAtoms(*v).size();
                if (continuous)
                    ContinuosWetEtching(*v, c.depth).runEtching();
                else
                    AtomicStructureSimpleSiWetEtch(*v, c.depth).runEtching();
                if (threads == 1) {
                    expectedCells = v->materials();
                    expectedAtoms = siliconAtoms(*v);
                    EXPECT_LT(expectedAtoms.size(), startAtoms) << name << "the comparison needs a change";
                    continue;
                }
                EXPECT_EQ(v->materials(), expectedCells) << name << threads;
                EXPECT_EQ(siliconAtoms(*v), expectedAtoms) << name << threads;
            }
        }
}

TEST_F(WetEtchingTest, VolumeAwayFromTheOriginWithSmallerCells)
{
    // The same block of silicon at another place and with half-size cells
    // etches the same lattice depth.
    TotalVolume moved(16, 16, 16, 0.5f, 0.5f, 0.5f, Util::Vector3D(7.5, -20, 3), [] {
        std::vector<std::uint32_t> m(16 * 16 * 16, 0);
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = i % 16 < 8 ? Si : 0u;
        return m;
    }());
    moved.rebuildSiLattice();
    EXPECT_FLOAT_EQ(highestSilicon(moved), 3.0f + 3.75f);
    AtomicStructureSimpleSiWetEtch(moved, 0.5).runEtching();
    EXPECT_FLOAT_EQ(highestSilicon(moved), 3.0f + 3.25f);
    EXPECT_EQ(moved.materials()[moved.cellIndex(8, 8, 7)], 0u) << "the top half-size cell is empty";
    EXPECT_EQ(moved.materials()[moved.cellIndex(8, 8, 5)], Si);
}

TEST_F(WetEtchingTest, ConfigurationTableMapsEveryRow)
{
    const unsigned rows[33][4] = {
        {0, 3, 4, 7}, {0, 3, 6, 5}, {0, 3, 3, 7}, {0, 3, 5, 5}, {0, 3, 2, 7}, {0, 3, 4, 5}, {0, 3, 6, 3},
        {1, 2, 3, 6}, {1, 2, 2, 6}, {1, 2, 3, 5}, {1, 2, 2, 5}, {1, 2, 4, 3}, {2, 1, 4, 5}, {2, 1, 1, 6},
        {2, 1, 2, 5}, {2, 1, 4, 3}, {2, 1, 0, 6}, {2, 1, 1, 5}, {0, 2, 5, 5}, {0, 2, 2, 6}, {0, 2, 3, 5},
        {0, 2, 4, 4}, {0, 2, 3, 4}, {0, 2, 5, 2}, {1, 1, 4, 5}, {1, 1, 2, 5}, {1, 1, 3, 4}, {1, 1, 2, 4},
        {1, 1, 3, 3}, {0, 1, 6, 3}, {0, 1, 4, 3}, {0, 1, 5, 2}, {0, 1, 6, 1},
    };
    for (int c = 0; c < 33; ++c)
        EXPECT_EQ(AtomicConfiguration::fromCounts(rows[c][0], rows[c][1], rows[c][2], rows[c][3]).number(), c);
    EXPECT_EQ(AtomicConfiguration::fromCounts(0, 2, 2, 4).number(), AtomicConfiguration::Unexpected);
    EXPECT_EQ(ContinuosWetEtching::rate(7), 4.115);
    EXPECT_EQ(ContinuosWetEtching::rate(22), 7.0);
    EXPECT_EQ(ContinuosWetEtching::rate(3), 0.00867);
}

TEST_F(WetEtchingTest, ContinuousRuleRemovesAtTheRateOfTheConfiguration)
{
    auto v = slab(2, 2, 2, 1);
    ContinuousRule rule(*v, 1.0);
    Neighbourhood n;
    const int F = SiAtom::Fixed, S = SiAtom::Silicon;

    // Configuration 7 (1, 2, 3, 6): a surface neighbour, two bulk ones, and
    // an absent one whose own neighbours still count.
    SiAtom seven = n.atom(S);
    n.withOthers(seven, 0, S, {});
    n.withOthers(seven, 1, F, {F, F, F});
    n.withOthers(seven, 2, F, {F, F, F});
    n.withOthers(seven, 3, SiAtom::Absent, {S, S, S});
    unsigned ns1, nb1, ns2, nb2;
    seven.firstNeighbourSplit(ns1, nb1);
    seven.secondNeighbourSplit(ns2, nb2);
    ASSERT_EQ(AtomicConfiguration::fromCounts(ns1, nb1, ns2, nb2).number(), 7);
    EXPECT_EQ(stepsToRemove(rule, seven, 10), 3) << "4.115 per unit time: gone in the third step";

    // Configuration 22 (0, 2, 3, 4).
    SiAtom fast = n.atom(S);
    n.withOthers(fast, 0, F, {F, F, S});
    n.withOthers(fast, 1, F, {F, F, S});
    n.withOthers(fast, 2, SiAtom::Absent, {S});
    fast.firstNeighbourSplit(ns1, nb1);
    fast.secondNeighbourSplit(ns2, nb2);
    ASSERT_EQ(AtomicConfiguration::fromCounts(ns1, nb1, ns2, nb2).number(), 22);
    EXPECT_EQ(stepsToRemove(rule, fast, 10), 2);

    // Configuration 0 (0, 3, 4, 7): nearly inert.
    SiAtom slow = n.atom(S);
    n.withOthers(slow, 0, F, {F, F, F});
    n.withOthers(slow, 1, F, {F, F, F});
    n.withOthers(slow, 2, F, {F, S, S});
    n.withOthers(slow, 3, SiAtom::Absent, {S, S});
    slow.firstNeighbourSplit(ns1, nb1);
    slow.secondNeighbourSplit(ns2, nb2);
    ASSERT_EQ(AtomicConfiguration::fromCounts(ns1, nb1, ns2, nb2).number(), 0);
    EXPECT_GT(stepsToRemove(rule, slow, 2000), 1000);

    // Four present neighbours: never examined further.
    SiAtom bulk = n.atom(S);
    n.bond(bulk, {F, F, F, S});
    bulk.setOccupation(0.5f);
    EXPECT_FALSE(rule.removes(bulk));
    EXPECT_EQ(bulk.occupation(), 0.5f);
}

TEST_F(WetEtchingTest, UnexpectedConfigurationEtchesByItsBonds)
{
    TestSupport::LogCapture log;
    auto v = slab(2, 2, 2, 1);
    ContinuousRule rule(*v, 1.0);
    Neighbourhood n;
    // Fixed neighbours with nothing beyond them: (0, bonds, 0, 0), which no
    // row lists. Three, two and one bonds etch like configurations 0-6,
    // 18-21 and 29-31.
    const double rates[4] = {0.0, ContinuosWetEtching::rate(29), ContinuosWetEtching::rate(18),
                             ContinuosWetEtching::rate(0)};
    for (int bonds = 3; bonds >= 1; --bonds) {
        SiAtom odd = n.atom(SiAtom::Silicon);
        for (int slot = 0; slot < bonds; ++slot)
            odd.neighbour(slot).setState(SiAtom::Fixed);
        unsigned ns1, nb1, ns2, nb2;
        odd.firstNeighbourSplit(ns1, nb1);
        odd.secondNeighbourSplit(ns2, nb2);
        ASSERT_FALSE(AtomicConfiguration::fromCounts(ns1, nb1, ns2, nb2).isExpected()) << bonds;
        odd.setOccupation(1.0f);
        EXPECT_FALSE(rule.removes(odd)) << bonds;
        EXPECT_NEAR(odd.occupation(), 1.0 - rates[bonds] * ContinuosWetEtching::TimeStep, 1e-6) << bonds;
        EXPECT_EQ(rule.removes(odd), bonds == 1) << "one bond: 6.0 per unit time, gone in the second step";
    }
    // An atom that nothing holds goes at once.
    SiAtom lone = n.atom(SiAtom::Silicon);
    lone.setOccupation(1.0f);
    EXPECT_TRUE(rule.removes(lone));
    EXPECT_EQ(lone.occupation(), 0.0f);

    // Each combination is logged once in a run, however often it is met.
    for (const char *counts : {"(0,3,0,0)", "(0,2,0,0)", "(0,1,0,0)", "(0,0,0,0)"})
        EXPECT_EQ(log.messages().filter(QString("Unexpected configuration found (ns1, nb1, ns2, nb2): ") + counts)
                      .size(),
                  1)
            << counts;
}

TEST_F(WetEtchingTest, ContinuousEtchRemovesTheFlatSurfaceOfAFreshSubstrate)
{
    // Above a fresh substrate the lattice keeps no unit cells, so a (100)
    // surface atom's dangling bonds lead nowhere: (0, 2, 2, 4), a
    // neighbourhood the table does not list. With two bonds it etches at
    // 3.188 per unit time and goes in the fourth step.
    auto v = slab(8, 8, 8, 4);
    SiAtom surface;
    forEachAtom(*v, [&surface](SiAtom atom) {
        const auto p = atom.position();
        if (!surface && atom.state() == SiAtom::Silicon && p[2] == 3.75f && p[0] > 3 && p[0] < 5 && p[1] > 3
            && p[1] < 5)
            surface = atom;
    });
    ASSERT_TRUE(surface);
    unsigned ns1, nb1, ns2, nb2;
    surface.firstNeighbourSplit(ns1, nb1);
    surface.secondNeighbourSplit(ns2, nb2);
    EXPECT_EQ(std::vector<unsigned>({ns1, nb1, ns2, nb2}), std::vector<unsigned>({0, 2, 2, 4}));

    ContinuosWetEtching(*v, 0.75).runEtching();
    EXPECT_FLOAT_EQ(highestSilicon(*v), 3.75f) << "three steps leave 0.04 of each surface atom";
    ContinuosWetEtching(*v, 1.0).runEtching();
    EXPECT_FLOAT_EQ(highestSilicon(*v), 3.5f);
}

namespace {

// The etched cells of the row y = PitSize / 2 in each layer below the
// surface, from the top down to the pit's bottom.
std::vector<int> pitWidths(TotalVolume &v)
{
    const auto materials = v.materials();
    std::vector<int> widths;
    for (int z = int(PitSurface) - 1; z >= 0; --z) {
        int width = 0;
        for (unsigned x = 0; x < PitSize; ++x)
            width += materials[v.cellIndex(x, PitSize / 2, unsigned(z))] == 0 ? 1 : 0;
        if (width == 0)
            break;
        widths.push_back(width);
    }
    return widths;
}

} // namespace

TEST_F(WetEtchingTest, ContinuousEtchOpensASlopedPitUnderAMaskOpening)
{
    // Oxide with a square opening, its edges along <110>, on (100) silicon:
    // alkaline etching opens an inverted pyramid whose (111) walls, at 54.7°
    // to the surface, move in by 1/√2 cells per cell of depth until they meet.
    std::size_t lastDepth = 0;
    for (double depth : {5.0, 10.0, 20.0}) {
        auto v = slab(PitSize, PitSize, 14, PitSurface, true);
        ContinuosWetEtching(*v, depth).runEtching();
        const std::size_t pitDepth = pitWidths(*v).size();
        EXPECT_GT(pitDepth, lastDepth) << "the pit deepens with the depth: " << depth;
        lastDepth = pitDepth;
    }

    // Deep enough for the walls to meet, in both etches.
    auto continuous = slab(PitSize, PitSize, 14, PitSurface, true);
    ContinuosWetEtching(*continuous, 60.0).runEtching();
    auto atomistic = slab(PitSize, PitSize, 14, PitSurface, true);
    AtomicStructureSimpleSiWetEtch(*atomistic, 60.0).runEtching();
    const std::vector<int> widths = pitWidths(*continuous);
    ASSERT_GE(widths.size(), 5u);
    for (std::size_t layer = 1; layer < widths.size(); ++layer)
        EXPECT_LE(widths[layer], widths[layer - 1]) << "layer " << layer;
    const double inset = double(widths.front() - widths.back()) / (2.0 * double(widths.size() - 1));
    EXPECT_GT(inset, 0.5) << "sloped walls, not upright ones";
    EXPECT_LT(inset, 0.9) << "(111) walls, not 45° ones";
    EXPECT_EQ(continuous->materials(), atomistic->materials()) << "the pit of the atomistic etch";
    EXPECT_EQ(continuous->materials()[continuous->cellIndex(2, PitSize / 2, PitSurface - 1)], Si)
        << "silicon under the mask stays";
}

// A step that changes no atom leaves the lattice as it was, and so would
// every step after it: the run ends there. An atom worn down but kept is a
// change (the continuous etch wears atoms for many steps before one goes),
// wherever its strip lies.
TEST_F(WetEtchingTest, ARunEndsAtTheFirstStepThatChangesNoAtom)
{
    for (int threads : {1, 3}) {
        QThreadPool::globalInstance()->setMaxThreadCount(threads);
        auto v = slab(12, 8, 8, 4);
        const auto before = v->materials();
        TestSupport::ScriptedInterrupter still;
        EXPECT_TRUE(WearingRule(*v, 10.0, &still, 1e9f).runEtching());
        ASSERT_EQ(still.reports.size(), 2u) << threads << " threads: the first step, and the last report";
        EXPECT_EQ(still.reports.back().step, 40);
        EXPECT_EQ(still.reports.back().steps, 40);

        TestSupport::ScriptedInterrupter worn;
        EXPECT_TRUE(WearingRule(*v, 10.0, &worn, 10.0f).runEtching());
        EXPECT_EQ(worn.reports.size(), 41u) << threads << " threads: every step wears the atoms of the last strip";
        EXPECT_EQ(v->materials(), before);
    }
}

namespace {

// Silicon below `surface` under an oxide mask with an opening over the
// middle third, in cells of `edge` world units each split `split` times
// along each axis: the same world whatever the split.
std::unique_ptr<TotalVolume> maskedWorld(const unsigned (&size)[3], unsigned surface, const float (&edge)[3],
                                         const unsigned (&split)[3])
{
    const unsigned sx = size[0] * split[0], sy = size[1] * split[1], sz = size[2] * split[2];
    std::vector<std::uint32_t> m(std::size_t(sx) * sy * sz, 0);
    for (unsigned x = 0; x < sx; ++x)
        for (unsigned y = 0; y < sy; ++y)
            for (unsigned z = 0; z < sz; ++z) {
                const unsigned cx = x / split[0], cy = y / split[1], cz = z / split[2];
                const bool opening = cx >= size[0] / 3 && cx < 2 * size[0] / 3 && cy >= size[1] / 3
                    && cy < 2 * size[1] / 3;
                std::uint32_t value = cz < surface ? Si : 0u;
                if (cz == surface && !opening)
                    value = Oxide;
                m[z + sz * (y + std::size_t(sy) * x)] = value;
            }
    auto v = std::make_unique<TotalVolume>(sx, sy, sz, edge[0] / float(split[0]), edge[1] / float(split[1]),
                                           edge[2] / float(split[2]), Util::Vector3D(), m);
    v->rebuildSiLattice();
    return v;
}

// Per coarse cell, over the fine cells it splits into: whether any is
// silicon, and their Si atoms.
struct Merged
{
    std::vector<bool> silicon;
    std::vector<std::int64_t> atoms;
};

Merged merged(TotalVolume &fine, const unsigned (&size)[3], const unsigned (&split)[3])
{
    Merged m;
    m.silicon.assign(std::size_t(size[0]) * size[1] * size[2], false);
    m.atoms.assign(m.silicon.size(), 0);
    Model::Automaton::LockedCells cells(fine);
    for (unsigned x = 0; x < fine.sizeX(); ++x)
        for (unsigned y = 0; y < fine.sizeY(); ++y)
            for (unsigned z = 0; z < fine.sizeZ(); ++z) {
                const std::size_t coarse = z / split[2] + size[2] * (y / split[1] + std::size_t(size[1]) * (x / split[0]));
                const auto &cell = cells[fine.cellIndex(x, y, z)];
                m.silicon[coarse] = m.silicon[coarse] || cell.material == Si;
                m.atoms[coarse] += cell.siAtomCount;
            }
    return m;
}

} // namespace

// The lattice is laid in world units: a cell of edge 2 holds 2 x 2 x 2 unit
// cells of the crystal. Silicon in large cells etches atom for atom as the
// same silicon in cells of edge 1 (or of any size the large one is a whole
// number of): each large cell counts the atoms of the cells it would split
// into, and empties when the last of them goes; with one thread or three.
TEST_F(WetEtchingTest, LargeCellsEtchAsTheSameSiliconInSmallerOnes)
{
    struct Case
    {
        const char *name;
        float edge[3];
        unsigned split[3];
    };
    const Case cases[] = {
        {"edge 2", {2, 2, 2}, {2, 2, 2}},
        {"edge 3", {3, 3, 3}, {3, 3, 3}},
        {"2 x 2 x 1", {2, 2, 1}, {2, 2, 1}},
        {"edge 2.5, as cells of 1.25", {2.5f, 2.5f, 2.5f}, {2, 2, 2}},
    };
    const unsigned size[3] = {9, 9, 6}, whole[3] = {1, 1, 1};
    for (const Case &c : cases)
        for (bool continuous : {false, true}) {
            const std::string name = std::string(c.name) + (continuous ? ", continuous" : ", atomistic");
            std::vector<std::uint32_t> expected;
            for (int threads : {1, 3}) {
                QThreadPool::globalInstance()->setMaxThreadCount(threads);
                auto large = maskedWorld(size, 4, c.edge, whole);
                auto small = maskedWorld(size, 4, c.edge, c.split);
                const std::vector<std::uint32_t> before = large->materials();
                {
                    const Merged built = merged(*small, size, c.split);
                    Model::Automaton::LockedCells cells(*large);
                    for (std::size_t i = 0; i < large->cellCount(); ++i) {
                        ASSERT_EQ(cells[i].siAtomCount, built.atoms[i]) << name << ", cell " << i;
                        if (cells[i].material == Si) {
                            ASSERT_GT(cells[i].siAtomCount, 0) << name << ", cell " << i;
                        }
                    }
                }
                // The continuous etch takes about four steps a monolayer.
                for (TotalVolume *v : {large.get(), small.get()}) {
                    if (continuous)
                        ContinuosWetEtching(*v, 20.0).runEtching();
                    else
                        AtomicStructureSimpleSiWetEtch(*v, 6.0).runEtching();
                }
                EXPECT_EQ(siliconAtoms(*large), siliconAtoms(*small)) << name;
                const Merged etched = merged(*small, size, c.split);
                const std::vector<std::uint32_t> after = large->materials();
                std::size_t emptied = 0;
                for (std::size_t i = 0; i < after.size(); ++i) {
                    EXPECT_EQ(after[i] == Si, bool(etched.silicon[i])) << name << ", cell " << i;
                    emptied += before[i] == Si && after[i] == 0 ? 1 : 0;
                }
                EXPECT_GT(emptied, 0u) << name << ": large cells are emptied";
                if (threads == 1) {
                    expected = after;
                } else {
                    EXPECT_EQ(after, expected) << name << ", " << threads << " threads";
                }
            }
        }
}
