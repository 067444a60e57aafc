// Thermal oxidation: the Deal–Grove thickness, the oxide against
// hand-computed cells (the oxidizable materials are the default
// catalogue's "Simple Si Oxidation" list: Si, 14, 15, 16), and serial
// against threaded runs.
#include "Core/Operations/SiOxidation/SimpleSiOxidation.h"
#include "CellGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using Core::Operations::SimpleSiOxidation;
using namespace TestSupport::CellGrid;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3, Aluminium = 4;
using Column = std::vector<std::uint32_t>;

// Si up to z 3 with an aluminium step (z 4) over x < 3.
const Fill StepOnSilicon = [](unsigned x, unsigned, unsigned z) {
    if (z < 4)
        return Si;
    return z == 4 && x < 3 ? Aluminium : 0u;
};

} // namespace

TEST(SiOxidationTest, DealGroveThicknessOfTheDialogDefaults)
{
    // 2 h at 1273 K and 1 atm, from the dry-oxidation rate constants:
    // B = 0.0105097 µm²/h, A = 0.130795 µm, τ = 0.370595 h.
    const double t = 2.0, kelvin = 1273.0;
    const double b = 0.999264839884312 * 1297.907373 * std::exp(-14923.66568 / kelvin);
    const double a = b / (7973245.767 * std::exp(-23439.65534 / kelvin));
    const double tau = (0.025 * 0.025 + a * 0.025) / b;
    const double expected = (std::sqrt(a * a + 4 * b * (t + tau)) - a) / 2;
    EXPECT_NEAR(expected, 0.105457, 1e-6);
    EXPECT_NEAR(SimpleSiOxidation::oxideThickness(t, kelvin, 1.0), expected, 1e-12);
    EXPECT_NEAR(SimpleSiOxidation::oxideThickness(t, kelvin, 1.0) * 100, 10.5457, 1e-4) << "in the dialog's cell units";
    EXPECT_GT(SimpleSiOxidation::oxideThickness(4.0, 1273.0, 1.0), SimpleSiOxidation::oxideThickness(2.0, 1273.0, 1.0));
    EXPECT_GT(SimpleSiOxidation::oxideThickness(2.0, 1373.0, 1.0), SimpleSiOxidation::oxideThickness(2.0, 1273.0, 1.0));
    EXPECT_TRUE(std::isnan(SimpleSiOxidation::oxideThickness(2.0, 0.0, 1.0))) << "at 0 K the model has no answer";
}

TEST(SiOxidationTest, TypedThicknessAndOxidationTimeGiveTheSameOxide)
{
    auto byTime = make(6, 3, 40, [](unsigned, unsigned, unsigned z) { return z < 20 ? Si : 0u; });
    SimpleSiOxidation(*byTime, 100.0).oxidateFor(2.0, 1273.0, 1.0);
    auto typed = make(6, 3, 40, [](unsigned, unsigned, unsigned z) { return z < 20 ? Si : 0u; });
    SimpleSiOxidation(*typed, 100.0).runOxidation(SimpleSiOxidation::oxideThickness(2.0, 1273.0, 1.0) * 100.0);
    EXPECT_EQ(firstDifference(cells(*byTime), cells(*typed)), "");
    // x = 10.55 cells: 0.3·x = 3.16 into the silicon, 0.56·x = 5.9 above it, in whole cells 4 and 5.
    Column expected(40, 0u);
    for (unsigned z = 0; z < 16; ++z)
        expected[z] = Si;
    for (unsigned z = 16; z < 25; ++z)
        expected[z] = Oxide;
    EXPECT_EQ(column(*byTime, 2, 1), expected);
}

TEST(SiOxidationTest, OtherMaterialsBlockTheOxideAndAreNeverConverted)
{
    auto v = make(8, 2, 9, StepOnSilicon);
    SimpleSiOxidation(*v, 1.0).runOxidation(5.0);
    // Away from the step: 0.3·5 = 1.5 into the silicon, 0.56·5 = 2.8 out.
    EXPECT_EQ(column(*v, 6, 1), (Column{Si, Si, Oxide, Oxide, Oxide, Oxide, 0, 0, 0}));
    // Under the aluminium the silicon has no free face and the oxide does
    // not grow through the metal.
    EXPECT_EQ(column(*v, 0, 1), (Column{Si, Si, Si, Si, Aluminium, 0, 0, 0, 0}));
}

TEST(SiOxidationTest, OnlyAFaceTouchingEmptySpaceIsASource)
{
    // With x = 3 only the sources themselves are within 0.3·x: the cell
    // under the step's edge touches empty space only along an edge.
    auto v = make(6, 2, 8, StepOnSilicon);
    SimpleSiOxidation(*v, 1.0).runOxidation(3.0);
    EXPECT_EQ(at(*v, 2, 0, 3), Si) << "diagonal contact only";
    EXPECT_EQ(at(*v, 3, 0, 3), Oxide);
    EXPECT_EQ(at(*v, 3, 0, 2), Si);
}

TEST(SiOxidationTest, AnOxideOfOneCellOrLessOrNotANumberChangesNothing)
{
    const Fill floor = [](unsigned, unsigned, unsigned z) { return z < 3 ? Si : 0u; };
    auto v = make(4, 3, 6, floor, {1.0f, 1.0f, 0.5f});
    const auto before = cells(*v);
    EXPECT_FALSE(SimpleSiOxidation::oxidizes(*v, 0.5));
    EXPECT_FALSE(SimpleSiOxidation::oxidizes(*v, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_TRUE(SimpleSiOxidation::oxidizes(*v, 0.51));
    SimpleSiOxidation(*v, 1.0).runOxidation(0.5);
    SimpleSiOxidation(*v, 100.0).oxidateFor(2.0, 0.0, 1.0);
    EXPECT_EQ(firstDifference(cells(*v), before), "");
}

TEST(SiOxidationTest, SingleStripAndThreadedRunsGiveIdenticalCells)
{
    const Fill structure = [](unsigned x, unsigned y, unsigned z) {
        const bool trench = (x / 3) % 2 == 1 && y > 1 && y < 8;
        if (z < (trench ? 2u : 6u))
            return Si;
        return z == 6 && y < 3 ? Aluminium : 0u;
    };
    for (unsigned sx : {3u, 17u, 24u}) {
        const std::string difference =
            threadDifference([&] { return make(sx, 10, 12, structure, {1.0f, 0.8f, 1.2f}); },
                             [](TotalVolume &v) { SimpleSiOxidation(v, 1.0).runOxidation(4.0); });
        EXPECT_EQ(difference, "") << sx << " planes";
    }
}
