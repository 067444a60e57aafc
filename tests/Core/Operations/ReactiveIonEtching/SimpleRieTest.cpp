// Simple RIE etches along z only: pillars keep their sides, covered
// surfaces are not attacked, both sides meet in a film, and the thread
// count changes no cell.
#include "Core/Operations/ReactiveIonEtching/SimpleReactiveIonEtching.h"

#include "FilledVolume.h"

#include <gtest/gtest.h>

using Core::Operations::SimpleReactiveIonEtching;
using Model::Automaton::TotalVolume;
using TestSupport::columnOf;
using TestSupport::filledVolume;
using TestSupport::materialAt;
using Column = std::vector<std::uint32_t>;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3, Aluminium = 4;
constexpr std::uint8_t Top = SimpleReactiveIonEtching::FromTop, Below = SimpleReactiveIonEtching::FromBelow;

// An aluminium pillar (x, y 2..3, z 2..7) on an oxide floor (z 0..1).
boost::shared_ptr<TotalVolume> pillar()
{
    return filledVolume(6, 6, 10, [](unsigned x, unsigned y, unsigned z) -> std::uint32_t {
        if (z < 2)
            return Oxide;
        return x >= 2 && x <= 3 && y >= 2 && y <= 3 && z < 8 ? Aluminium : 0u;
    });
}

// An oxide film (z 3..6) over empty cells, on oxide posts at x 0 and x 7.
boost::shared_ptr<TotalVolume> suspended(unsigned sx = 8)
{
    return filledVolume(sx, 3, 10, [sx](unsigned x, unsigned, unsigned z) -> std::uint32_t {
        if (x == 0 || x + 1 == sx)
            return z < 7 ? Oxide : 0u;
        return z >= 3 && z < 7 ? Oxide : 0u;
    });
}

} // namespace

TEST(SimpleRie, APillarLosesItsTopCellsAndKeepsItsSides)
{
    auto v = pillar();
    EXPECT_TRUE(SimpleReactiveIonEtching(*v, Aluminium, 3.7, Top).runEtching());
    EXPECT_EQ(columnOf(*v, 2, 3), (Column{Oxide, Oxide, Aluminium, Aluminium, Aluminium, 0, 0, 0, 0, 0}))
        << "3 whole steps from 3.7";
    EXPECT_EQ(columnOf(*v, 3, 2), columnOf(*v, 2, 3)) << "every column of the pillar alike";
    EXPECT_EQ(materialAt(*v, 1, 2, 3), 0u);
    EXPECT_EQ(materialAt(*v, 2, 2, 2), Aluminium) << "sides not etched";

    auto floor = pillar();
    SimpleReactiveIonEtching(*floor, Oxide, 5, Top).runEtching();
    EXPECT_EQ(columnOf(*floor, 2, 2)[1], Oxide) << "oxide under the pillar is covered from the top";
    EXPECT_EQ(columnOf(*floor, 0, 0), Column(10, 0u)) << "open oxide goes";
}

TEST(SimpleRie, DirectionsChooseTheSidesThatAreEtched)
{
    auto both = suspended();
    SimpleReactiveIonEtching(*both, Oxide, 2, Top | Below).runEtching();
    EXPECT_EQ(columnOf(*both, 3, 1), Column(10, 0u)) << "a film of 2k goes with depth k from both sides";
    EXPECT_EQ(columnOf(*both, 0, 1), (Column{Oxide, Oxide, Oxide, Oxide, Oxide, 0, 0, 0, 0, 0}))
        << "a post has no free bottom";

    auto below = suspended();
    SimpleReactiveIonEtching(*below, Oxide, 1, Below).runEtching();
    EXPECT_EQ(columnOf(*below, 4, 0), (Column{0, 0, 0, 0, Oxide, Oxide, Oxide, 0, 0, 0})) << "from below only";
    EXPECT_EQ(columnOf(*below, 0, 0), (Column{Oxide, Oxide, Oxide, Oxide, Oxide, Oxide, Oxide, 0, 0, 0}));

    auto neither = suspended();
    const auto before = neither->materials();
    EXPECT_TRUE(SimpleReactiveIonEtching(*neither, Oxide, 3, 0).runEtching());
    EXPECT_TRUE(SimpleReactiveIonEtching(*neither, 0, 3, Top | Below).runEtching());
    EXPECT_TRUE(SimpleReactiveIonEtching(*neither, Si, 3, Top | Below).runEtching());
    EXPECT_EQ(neither->materials(), before) << "no side, no material or a material found nowhere: no change";
}

TEST(SimpleRie, ThreadCountsGiveIdenticalCells)
{
    for (unsigned sx : {2u, 4u, 13u}) {
        const auto make = [sx] { return suspended(sx); };
        EXPECT_EQ(TestSupport::threadCountDifference(
                      make, [](TotalVolume &v) { SimpleReactiveIonEtching(v, Oxide, 1, Top | Below).runEtching(); }),
                  "")
            << sx << " planes";
    }
}
