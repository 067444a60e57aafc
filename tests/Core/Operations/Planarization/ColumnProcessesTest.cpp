// Planarization and spin coating work by height alone: their bounds, the
// clamping to the volume, cavities, and the same cells whatever the thread
// count.
#include "Core/Operations/Planarization/Planarization.h"
#include "Core/Operations/Planarization/SpinCoating.h"

#include "FilledVolume.h"

#include <gtest/gtest.h>

using Core::Operations::Planarization;
using Core::Operations::SpinCoating;
using Model::Automaton::TotalVolume;
using TestSupport::columnOf;
using TestSupport::filledVolume;
using TestSupport::materialAt;
using Column = std::vector<std::uint32_t>;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3, Resist = 11;

// Silicon up to z 3, oxide lines on top up to z 6, in an 8-high volume.
boost::shared_ptr<TotalVolume> lines(unsigned sx = 6)
{
    return filledVolume(sx, 4, 8, [](unsigned x, unsigned, unsigned z) {
        if (z < 4)
            return Si;
        return z < 7 && x % 2 == 0 ? Oxide : 0u;
    });
}

} // namespace

TEST(ColumnProcesses, PlanarizationRemovesOutsideItsBoundsAndClampsThem)
{
    auto untouched = lines();
    const auto before = untouched->materials();
    EXPECT_TRUE(Planarization(*untouched, 8, 0).runPlanarization());
    EXPECT_EQ(untouched->materials(), before) << "minimum 0 and maximum sizeZ change nothing";
    EXPECT_TRUE(Planarization(*untouched, 999999999, -5).runPlanarization());
    EXPECT_EQ(untouched->materials(), before) << "bounds beyond the volume are clamped";

    auto cut = lines();
    Planarization(*cut, 5, 0).runPlanarization();
    EXPECT_EQ(columnOf(*cut, 0, 1), (Column{Si, Si, Si, Si, Oxide, 0, 0, 0})) << "layers 5.. go, whatever the material";
    EXPECT_EQ(columnOf(*cut, 1, 1), (Column{Si, Si, Si, Si, 0, 0, 0, 0}));

    auto band = lines();
    Planarization(*band, 6, 2).runPlanarization();
    EXPECT_EQ(columnOf(*band, 0, 0), (Column{0, 0, Si, Si, Oxide, Oxide, 0, 0}));

    auto crossed = lines();
    Planarization(*crossed, 3, 3).runPlanarization();
    for (const std::uint32_t material : crossed->materials())
        ASSERT_EQ(material, 0u) << "a minimum at the maximum removes everything";
    {
        Model::Automaton::LockedCellArrays arrays(*crossed);
        EXPECT_EQ(arrays.working()[0].material, 0u) << "both arrays";
    }
}

TEST(ColumnProcesses, SpinCoatingFillsEveryEmptyCellBelowItsHeightAndNoOther)
{
    // A closed void (x 2, z 1) and a tunnel open only sideways (y 0..3 at
    // x 4, z 2) inside silicon, under an open surface at z 4.
    const auto cavities = [](unsigned x, unsigned, unsigned z) -> std::uint32_t {
        if (z >= 4)
            return x == 1 && z == 4 ? Oxide : 0u;
        if ((x == 2 && z == 1) || (x == 4 && z == 2))
            return 0;
        return Si;
    };
    auto v = filledVolume(6, 4, 8, cavities);
    EXPECT_TRUE(SpinCoating(*v, Resist, 6).runSpinCoating());
    EXPECT_EQ(columnOf(*v, 2, 1), (Column{Si, Resist, Si, Si, Resist, Resist, 0, 0})) << "closed void filled";
    EXPECT_EQ(columnOf(*v, 4, 3), (Column{Si, Si, Resist, Si, Resist, Resist, 0, 0})) << "sideways tunnel filled";
    EXPECT_EQ(columnOf(*v, 1, 0), (Column{Si, Si, Si, Si, Oxide, Resist, 0, 0})) << "existing material stays";

    auto none = filledVolume(6, 4, 8, cavities);
    const auto before = none->materials();
    SpinCoating(*none, Resist, 0).runSpinCoating();
    SpinCoating(*none, 0, 8).runSpinCoating();
    EXPECT_EQ(none->materials(), before) << "height 0, or nothing to pour, change nothing";

    auto over = filledVolume(6, 4, 8, cavities);
    SpinCoating(*over, Resist, 999999999).runSpinCoating();
    for (const std::uint32_t material : over->materials())
        ASSERT_NE(material, 0u) << "a height above the volume fills it to the top";
}

TEST(ColumnProcesses, ThreadCountsGiveIdenticalCells)
{
    for (unsigned sx : {2u, 8u, 16u}) {
        const auto make = [sx] { return lines(sx); };
        EXPECT_EQ(TestSupport::threadCountDifference(make, [](TotalVolume &v) { Planarization(v, 5, 1).runPlanarization(); }), "")
            << "planarization, " << sx << " planes";
        EXPECT_EQ(TestSupport::threadCountDifference(make, [](TotalVolume &v) { SpinCoating(v, Resist, 6).runSpinCoating(); }), "")
            << "spin coating, " << sx << " planes";
    }
}
