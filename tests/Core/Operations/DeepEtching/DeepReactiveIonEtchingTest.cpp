// Deep reactive ion etching: one pulse's reach and undercut, a scallop per
// cycle, walls kept near vertical by the film (and isotropic without it),
// narrow openings lagging with the aspect-ratio option, masks untouched,
// stops between cycles and the thread count changing no cell.
#include "Core/Operations/DeepEtching/DeepReactiveIonEtching.h"
#include "Core/Operations/DeepEtching/OpeningViewFactor.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtching.h"

#include "FilledVolume.h"
#include "ScriptedInterrupter.h"

#include <gtest/gtest.h>

#include <cmath>

using Core::Operations::DeepEtchRecipe;
using Core::Operations::DeepReactiveIonEtching;
using Core::Operations::OpeningViewFactor;
using Model::Automaton::TotalVolume;
using TestSupport::filledVolume;
using TestSupport::materialAt;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3, Film = 13;
constexpr unsigned Height = 60, WaferTop = 50, MaskTop = 52;

// A Si wafer up to z 49 under a two-cell oxide mask, open where `open(x)`;
// thin along y, so that every xz section is the same.
boost::shared_ptr<TotalVolume> masked(unsigned sizeX, const std::function<bool(unsigned)> &open)
{
    return filledVolume(sizeX, 3, Height, [open](unsigned x, unsigned, unsigned z) -> std::uint32_t {
        if (z < WaferTop)
            return Si;
        return z < MaskTop && !open(x) ? Oxide : 0u;
    });
}

// A 24-cell opening, x 20..43, in a 64-cell section.
boost::shared_ptr<TotalVolume> wideOpening()
{
    return masked(64, [](unsigned x) { return x >= 20 && x < 44; });
}

DeepEtchRecipe recipe(int cycles, float depth, float film)
{
    DeepEtchRecipe r;
    r.etched = Si;
    r.passivation = Film;
    r.cycles = cycles;
    r.depthPerCycle = depth;
    r.passivationThickness = film;
    return r;
}

// The lowest z below the wafer top that column x has etched: how deep it went.
unsigned depthAt(TotalVolume &v, unsigned x)
{
    unsigned z = WaferTop;
    while (z > 0 && materialAt(v, x, 1, z - 1) == 0)
        --z;
    return WaferTop - z;
}

// For each z of the wafer that the trench reached, the first empty x from
// the left: the left wall's profile, top to bottom.
std::vector<int> leftWall(TotalVolume &v, unsigned bottom)
{
    std::vector<int> wall;
    for (unsigned z = WaferTop; z-- > bottom;) {
        int x = -1;
        for (unsigned i = 0; i < v.sizeX(); ++i)
            if (materialAt(v, i, 1, z) == 0) {
                x = int(i);
                break;
            }
        if (x < 0)
            break;
        wall.push_back(x);
    }
    return wall;
}

// The scallops of a wall: the places where it reaches furthest out (its
// local minima of x), a run of equal x counting once.
int scallops(const std::vector<int> &wall)
{
    int count = 0;
    for (std::size_t i = 0; i < wall.size();) {
        std::size_t j = i;
        while (j + 1 < wall.size() && wall[j + 1] == wall[i])
            ++j;
        const bool lowerBefore = i > 0 && wall[i - 1] < wall[i];
        const bool lowerAfter = j + 1 < wall.size() && wall[j + 1] < wall[i];
        const bool higherBefore = i == 0 || wall[i - 1] > wall[i];
        const bool higherAfter = j + 1 == wall.size() || wall[j + 1] > wall[i];
        if (higherBefore && higherAfter && !lowerBefore && !lowerAfter)
            ++count;
        i = j + 1;
    }
    return count;
}

std::size_t countOf(TotalVolume &v, std::uint32_t material)
{
    std::size_t n = 0;
    for (const std::uint32_t m : v.materials())
        n += m == material;
    return n;
}

} // namespace

TEST(DeepReactiveIonEtching, OnePulseReachesItsDepthDownAndUnderTheMaskEdge)
{
    auto v = wideOpening();
    DeepReactiveIonEtching etch(*v, recipe(1, 8.0f, 1.0f));
    ASSERT_TRUE(etch.run());
    EXPECT_EQ(etch.cyclesRun(), 1);
    EXPECT_NEAR(double(depthAt(*v, 32)), 8.0, 1.0);
    // Just under the mask the etch reaches back from the opening's edge at x 20.
    const std::vector<int> wall = leftWall(*v, 0);
    ASSERT_FALSE(wall.empty());
    EXPECT_NEAR(double(20 - wall.front()), 8.0, 1.0);
    // The film is stripped: only Si, oxide and empty cells are left.
    EXPECT_EQ(countOf(*v, Film), 0u);
}

TEST(DeepReactiveIonEtching, EachCycleLeavesAScallopOnTheWall)
{
    for (const int cycles : {3, 5}) {
        auto v = wideOpening();
        DeepReactiveIonEtching etch(*v, recipe(cycles, 6.0f, 1.0f));
        ASSERT_TRUE(etch.run());
        const unsigned depth = depthAt(*v, 32);
        EXPECT_GE(depth, unsigned(cycles) * 4u) << cycles << " cycles";
        EXPECT_EQ(scallops(leftWall(*v, WaferTop - depth + 2)), cycles) << cycles << " cycles";
    }
}

TEST(DeepReactiveIonEtching, TheFilmKeepsWallsNearVerticalAndWithoutItTheEtchIsIsotropic)
{
    auto v = wideOpening();
    ASSERT_TRUE(DeepReactiveIonEtching(*v, recipe(20, 2.0f, 1.0f)).run());
    const unsigned depth = depthAt(*v, 32);
    EXPECT_GE(depth, 30u);
    const std::vector<int> wall = leftWall(*v, WaferTop - depth + 2);
    ASSERT_GE(wall.size(), 20u);
    const auto extent = std::minmax_element(wall.begin(), wall.end());
    EXPECT_LE(*extent.second - *extent.first, 3) << "the wall strays more than a pulse from vertical";

    // Without a film five pulses of 4 undercut as far as they go down, as
    // one isotropic etch of 20 does.
    auto bare = wideOpening();
    ASSERT_TRUE(DeepReactiveIonEtching(*bare, recipe(5, 4.0f, 0.0f)).run());
    auto isotropic = wideOpening();
    ASSERT_TRUE(Core::Operations::IsotropicFilmEtching(*isotropic, Si, 20.0f).runEtching());
    EXPECT_NEAR(double(depthAt(*bare, 32)), double(depthAt(*isotropic, 32)), 1.0);
    EXPECT_NEAR(double(leftWall(*bare, 0).front()), double(leftWall(*isotropic, 0).front()), 1.0);
    // Pulse after pulse, the rounding of each pulse's reach to whole cells
    // leaves a few per cent more in the diagonals.
    const double wafer = double(countOf(*wideOpening(), Si));
    const double etched = wafer - double(countOf(*isotropic, Si));
    EXPECT_NEAR(wafer - double(countOf(*bare, Si)), etched, 0.1 * etched);
}

TEST(DeepReactiveIonEtching, NarrowOpeningsLagOnlyWithTheAspectRatioOption)
{
    // A 4-cell and a 20-cell opening etched together.
    const auto twoTrenches = [] {
        return masked(64, [](unsigned x) { return (x >= 10 && x < 14) || (x >= 30 && x < 50); });
    };
    for (const bool dependent : {false, true}) {
        auto v = twoTrenches();
        DeepEtchRecipe r = recipe(8, 3.0f, 1.0f);
        r.aspectRatioDependent = dependent;
        ASSERT_TRUE(DeepReactiveIonEtching(*v, r).run());
        const unsigned narrow = depthAt(*v, 12), wide = depthAt(*v, 40);
        if (dependent)
            EXPECT_LT(narrow + 3, wide) << "narrow " << narrow << ", wide " << wide;
        else
            EXPECT_NEAR(double(narrow), double(wide), 1.0) << "narrow " << narrow << ", wide " << wide;
    }
}

TEST(DeepReactiveIonEtching, OnlyTheEtchedMaterialIsEtchedAndAVolumeWithoutItRunsNoCycle)
{
    auto v = wideOpening();
    const std::size_t oxide = countOf(*v, Oxide);
    ASSERT_TRUE(DeepReactiveIonEtching(*v, recipe(6, 4.0f, 1.0f)).run());
    EXPECT_EQ(countOf(*v, Oxide), oxide);

    // Kept, the film lines the trench.
    auto kept = wideOpening();
    DeepEtchRecipe r = recipe(2, 4.0f, 1.0f);
    r.stripPassivation = false;
    ASSERT_TRUE(DeepReactiveIonEtching(*kept, r).run());
    EXPECT_GT(countOf(*kept, Film), 0u);

    auto oxideOnly = filledVolume(8, 8, 8, [](unsigned, unsigned, unsigned z) { return z < 4 ? Oxide : 0u; });
    DeepReactiveIonEtching none(*oxideOnly, recipe(5, 2.0f, 1.0f));
    ASSERT_TRUE(none.run());
    EXPECT_FALSE(none.hadEtchedMaterial());
    EXPECT_EQ(none.cyclesRun(), 0);
    EXPECT_EQ(countOf(*oxideOnly, Film), 0u);

    auto empty = filledVolume(4, 4, 4, [](unsigned, unsigned, unsigned) { return 0u; });
    DeepReactiveIonEtching nothing(*empty, recipe(5, 2.0f, 1.0f));
    ASSERT_TRUE(nothing.run());
    EXPECT_EQ(nothing.cyclesRun(), 0);
}

TEST(DeepReactiveIonEtching, CyclesEndOnceThePulsesReachNothingAndStopBetweenCyclesWhenAsked)
{
    // A wafer 50 deep is through after about 13 pulses of 4.
    auto through = wideOpening();
    DeepReactiveIonEtching deep(*through, recipe(100, 4.0f, 1.0f));
    ASSERT_TRUE(deep.run());
    EXPECT_LT(deep.cyclesRun(), 20);
    EXPECT_EQ(depthAt(*through, 32), WaferTop);

    auto v = wideOpening();
    TestSupport::ScriptedInterrupter stopper(3);
    DeepReactiveIonEtching stopped(*v, recipe(10, 4.0f, 1.0f), &stopper);
    EXPECT_FALSE(stopped.run());
    EXPECT_EQ(stopped.cyclesRun(), 2);
    ASSERT_FALSE(stopper.reports.empty());
    EXPECT_EQ(stopper.reports.front().steps, 10);
}

TEST(DeepReactiveIonEtching, OneThreadAndManyGiveTheSameCells)
{
    for (const bool dependent : {false, true}) {
        const std::string difference = TestSupport::threadCountDifference(
            [] { return masked(40, [](unsigned x) { return (x >= 6 && x < 10) || (x >= 18 && x < 34); }); },
            [dependent](TotalVolume &v) {
                DeepEtchRecipe r = recipe(6, 3.0f, 1.0f);
                r.aspectRatioDependent = dependent;
                DeepReactiveIonEtching(v, r).run();
            });
        EXPECT_EQ(difference, "") << (dependent ? "with" : "without") << " the aspect-ratio option";
    }
}

TEST(OpeningViewFactor, OpenSurfacesSeeTheWholeSkyAndTrenchesTheirSlot)
{
    // Columns of a 1-wide row: a flat floor at 0 with walls of height 10
    // around a 4-column trench (x 3..6).
    const int sizeX = 10;
    std::vector<float> tops(sizeX, 10.0f);
    for (int x = 3; x < 7; ++x)
        tops[std::size_t(x)] = 0.0f;
    const std::vector<float> f = OpeningViewFactor::of(tops, sizeX, 1, 1.0f, 1.0f);
    EXPECT_FLOAT_EQ(f[0], 1.0f);
    EXPECT_FLOAT_EQ(f[9], 1.0f);
    // From x 4 the near wall (x 2) rises 10 at 2, the far one (x 7) at 3.
    const float expected = 0.5f * (2.0f / std::sqrt(4.0f + 100.0f) + 3.0f / std::sqrt(9.0f + 100.0f));
    EXPECT_NEAR(f[4], expected, 1e-6);
    // Deeper, the same opening sees less.
    std::vector<float> deeper = tops;
    for (float &t : deeper)
        t = t > 0.0f ? 30.0f : 0.0f;
    EXPECT_LT(OpeningViewFactor::of(deeper, sizeX, 1, 1.0f, 1.0f)[4], f[4]);
}

