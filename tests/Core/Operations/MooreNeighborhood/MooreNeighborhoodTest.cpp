// Moore deposition and etching against hand-counted layers, and the same
// cells whatever the thread count.
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodDeposition.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodEtching.h"

#include "FilledVolume.h"

#include <gtest/gtest.h>

#include <algorithm>

using Core::Operations::MooreNeighborhoodDeposition;
using Core::Operations::MooreNeighborhoodEtching;
using Model::Automaton::TotalVolume;
using TestSupport::columnOf;
using TestSupport::filledVolume;
using TestSupport::materialAt;
using Column = std::vector<std::uint32_t>;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3, Aluminium = 4, Gold = 9;

} // namespace

TEST(MooreNeighborhood, StepsAroundASingleCellGrowBoxes)
{
    const auto single = [](unsigned x, unsigned y, unsigned z) { return x == 4 && y == 4 && z == 4 ? Si : 0u; };
    auto one = filledVolume(9, 9, 9, single);
    EXPECT_TRUE(MooreNeighborhoodDeposition(*one, Oxide, 1).runDeposition());
    EXPECT_EQ(materialAt(*one, 4, 4, 4), Si);
    const auto cells = one->materials();
    EXPECT_EQ(std::count(cells.begin(), cells.end(), Oxide), 26) << "the 26 neighbours";
    EXPECT_EQ(materialAt(*one, 3, 3, 3), Oxide) << "corners included";
    EXPECT_EQ(materialAt(*one, 5, 5, 5), Oxide);
    EXPECT_EQ(materialAt(*one, 2, 4, 4), 0u);

    auto two = filledVolume(9, 9, 9, single);
    MooreNeighborhoodDeposition(*two, Oxide, 2).runDeposition();
    const auto grown = two->materials();
    EXPECT_EQ(std::count(grown.begin(), grown.end(), Oxide), 5 * 5 * 5 - 1) << "a 5 x 5 x 5 box";
    EXPECT_EQ(materialAt(*two, 2, 2, 2), Oxide);
    EXPECT_EQ(materialAt(*two, 1, 4, 4), 0u);
}

TEST(MooreNeighborhood, StepsOnAFlatTopAddWholeLayersUpToTheTop)
{
    const auto flat = [](unsigned, unsigned, unsigned z) { return z < 3 ? Si : 0u; };
    for (int layers : {1, 4}) {
        auto v = filledVolume(5, 4, 10, flat);
        MooreNeighborhoodDeposition(*v, Gold, layers).runDeposition();
        for (unsigned x : {0u, 2u, 4u}) {
            Column expected(10, 0);
            for (unsigned z = 0; z < 10; ++z)
                expected[z] = z < 3 ? Si : z < 3u + unsigned(layers) ? Gold : 0u;
            EXPECT_EQ(columnOf(*v, x, 3), expected) << layers << " layers";
        }
    }
    auto full = filledVolume(5, 4, 10, flat);
    MooreNeighborhoodDeposition(*full, Gold, 50).runDeposition();
    EXPECT_EQ(columnOf(*full, 1, 1), (Column{Si, Si, Si, Gold, Gold, Gold, Gold, Gold, Gold, Gold}))
        << "more steps than room fill the volume";
}

TEST(MooreNeighborhood, EtchingFollowsOnlyItsOwnMaterial)
{
    // Aluminium on oxide with an aluminium pocket buried in the oxide, and a
    // second pocket joined to the surface film by an aluminium channel.
    const auto stack = [](unsigned x, unsigned y, unsigned z) -> std::uint32_t {
        if (z >= 6)
            return 0;
        if (z == 5)
            return Aluminium;
        const bool buried = x == 2 && y == 2 && z == 2;
        const bool joined = x == 6 && y == 2 && z >= 2;
        return buried || joined ? Aluminium : Oxide;
    };
    auto v = filledVolume(9, 5, 9, stack);
    MooreNeighborhoodEtching(*v, Aluminium, 10).runEtching();
    EXPECT_EQ(materialAt(*v, 2, 2, 2), Aluminium) << "enclosed by oxide: never reached";
    EXPECT_EQ(materialAt(*v, 6, 2, 2), 0u) << "reached down the channel";
    EXPECT_EQ(materialAt(*v, 0, 0, 5), 0u);
    for (unsigned x = 0; x < 9; ++x)
        for (unsigned z = 0; z < 5; ++z)
            if (!(x == 6 && z >= 2) && !(x == 2 && z == 2)) {
                ASSERT_EQ(materialAt(*v, x, 2, z), Oxide) << "oxide touching the front stays: " << x << ", " << z;
            }

    auto partial = filledVolume(9, 5, 9, stack);
    MooreNeighborhoodEtching(*partial, Aluminium, 2).runEtching();
    EXPECT_EQ(columnOf(*partial, 6, 2), (Column{Oxide, Oxide, Aluminium, Aluminium, 0, 0, 0, 0, 0}))
        << "one cell per step: the film, then one cell of the channel";
}

TEST(MooreNeighborhood, MaterialZeroAndNoStepsChangeNothing)
{
    const auto flat = [](unsigned, unsigned, unsigned z) { return z < 3 ? Si : 0u; };
    auto v = filledVolume(4, 4, 8, flat);
    const auto before = v->materials();
    EXPECT_TRUE(MooreNeighborhoodDeposition(*v, 0, 999999999).runDeposition());
    EXPECT_TRUE(MooreNeighborhoodEtching(*v, 0, 999999999).runEtching());
    EXPECT_TRUE(MooreNeighborhoodEtching(*v, Gold, 5).runEtching()) << "no gold anywhere";
    EXPECT_TRUE(MooreNeighborhoodDeposition(*v, Oxide, 0).runDeposition());
    EXPECT_EQ(v->materials(), before);
}

TEST(MooreNeighborhood, ThreadCountsGiveIdenticalCells)
{
    for (unsigned sx : {3u, 9u, 17u}) {
        const auto make = [sx] {
            return filledVolume(sx, 10, 12, [](unsigned x, unsigned y, unsigned z) {
                const bool trench = (x / 3) % 2 == 1 && y > 1 && y < 8;
                if (z < (trench ? 2u : 6u))
                    return Si;
                return z < 7 && x % 4 == 0 ? Aluminium : 0u;
            });
        };
        EXPECT_EQ(TestSupport::threadCountDifference(
                      make, [](TotalVolume &v) { MooreNeighborhoodDeposition(v, Oxide, 3).runDeposition(); }),
                  "")
            << "deposition, " << sx << " planes";
        EXPECT_EQ(TestSupport::threadCountDifference(
                      make, [](TotalVolume &v) { MooreNeighborhoodEtching(v, Si, 4).runEtching(); }),
                  "")
            << "etching, " << sx << " planes";
    }
}
