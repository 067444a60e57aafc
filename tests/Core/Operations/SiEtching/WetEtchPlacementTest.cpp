// Where a volume lies and how small its cells are must not change the
// lattice laid over it, nor let a far position wrap round into the volume:
// atoms are placed relative to the volume's corner, and the etchings refuse
// volumes whose atoms single precision cannot place, and depths of more
// steps than a run counts.
#include "Core/Operations/Frames/SiWetEtchFrame.h"
#include "Model/Automaton/SiAtom.h"
#include "Model/Automaton/SiCell.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/TotalVolume.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

using Core::Operations::SiWetEtchFrame;
using Model::Automaton::SiAtom;
using Model::Automaton::TotalVolume;

namespace {

// Silicon in the lower half of an n x n x n volume.
std::unique_ptr<TotalVolume> halfSilicon(unsigned n, float cellSize, const Util::Vector3D &corner)
{
    std::vector<std::uint32_t> m(std::size_t(n) * n * n, 0);
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i] = i % n < n / 2 ? 1u : 0u;
    return std::make_unique<TotalVolume>(n, n, n, cellSize, cellSize, cellSize, corner, m);
}

struct Placed
{
    std::vector<std::int32_t> indices;
    std::vector<int> states;
    std::vector<std::int32_t> counts;
};

Placed placed(TotalVolume &volume)
{
    Placed result;
    const auto lattice = volume.siLattice();
    for (std::size_t n = 0; n < lattice->cellCount(); ++n)
        for (const auto &atom : lattice->cell(n).atoms()) {
            result.indices.push_back(atom.index());
            result.states.push_back(atom.state());
        }
    Model::Automaton::LockedCells cells(volume);
    for (std::size_t i = 0; i < volume.cellCount(); ++i)
        result.counts.push_back(std::int32_t(cells[i].siAtomCount));
    return result;
}

} // namespace

TEST(WetEtchPlacementTest, TheLatticeIsTheSameWhereverTheVolumeLies)
{
    auto home = halfSilicon(6, 1.0f, Util::Vector3D());
    ASSERT_TRUE(home->rebuildSiLattice());
    const Placed expected = placed(*home);
    for (const Util::Vector3D corner : {Util::Vector3D(1e7 + 0.5, -3e6, 12345.25), Util::Vector3D(-7.1, 0.3, 1e5),
                                        Util::Vector3D(1e17, -2.5e16, 4e15)}) {
        auto moved = halfSilicon(6, 1.0f, corner);
        ASSERT_TRUE(moved->rebuildSiLattice());
        const Placed got = placed(*moved);
        EXPECT_EQ(got.indices, expected.indices) << corner.x;
        EXPECT_EQ(got.states, expected.states) << corner.x;
        EXPECT_EQ(got.counts, expected.counts) << corner.x;
    }
}

TEST(WetEtchPlacementTest, CellsFarSmallerThanTheLatticeHoldNoAtomInsteadOfWrappingRound)
{
    for (const float size : {1e-30f, 1e-20f}) {
        auto tiny = halfSilicon(2, size, Util::Vector3D());
        ASSERT_TRUE(tiny->rebuildSiLattice());
        EXPECT_EQ(tiny->siLattice()->cellCount(), 0u) << size;
        Model::Automaton::LockedCells cells(*tiny);
        for (std::size_t i = 0; i < tiny->cellCount(); ++i)
            EXPECT_EQ(cells[i].siAtomCount, 0) << size;
    }
}

TEST(WetEtchPlacementTest, EtchingsRefuseVolumesTheirAtomsCannotBePlacedIn)
{
    std::string problem;
    EXPECT_TRUE(SiWetEtchFrame::placesAtoms(*halfSilicon(40, 1.0f, Util::Vector3D()), &problem));
    EXPECT_TRUE(SiWetEtchFrame::placesAtoms(*halfSilicon(40, 0.5f, Util::Vector3D(1000, -20, 3)), &problem));
    for (const double far : {1e7, -1e8, 1e12, 1e30}) {
        problem.clear();
        EXPECT_FALSE(SiWetEtchFrame::placesAtoms(*halfSilicon(4, 1.0f, Util::Vector3D(0, far, 0)), &problem)) << far;
        EXPECT_NE(problem.find("cannot be placed"), std::string::npos) << problem;
    }
    EXPECT_FALSE(SiWetEtchFrame::placesAtoms(*halfSilicon(4, 1e-30f, Util::Vector3D()), &problem));
}

TEST(WetEtchPlacementTest, DepthsOfMoreStepsThanARunCountsAreRefused)
{
    std::string problem;
    EXPECT_TRUE(SiWetEtchFrame::depthFits(10, &problem));
    EXPECT_TRUE(SiWetEtchFrame::depthFits(SiWetEtchFrame::MaxDepth, &problem));
    EXPECT_EQ(SiWetEtchFrame::stepCount(SiWetEtchFrame::MaxDepth), SiWetEtchFrame::MaxSteps);
    for (const double depth : {1e9, 1e300, std::numeric_limits<double>::infinity(), std::nan("")}) {
        problem.clear();
        EXPECT_FALSE(SiWetEtchFrame::depthFits(depth, &problem)) << depth;
        EXPECT_NE(problem.find("steps"), std::string::npos) << problem;
    }
}
