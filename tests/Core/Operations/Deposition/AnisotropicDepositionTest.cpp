// Directional deposition against hand-computed films: which faces emit,
// how far the film reaches sideways, and serial against threaded runs.
#include "Core/Operations/Deposition/AnisotropicFilmDeposition.h"
#include "CellGrid.h"

#include <gtest/gtest.h>

using Core::Operations::AnisotropicFilmDeposition;
using namespace TestSupport::CellGrid;

namespace {

constexpr std::uint32_t Si = 1, Gold = 9;
using Column = std::vector<std::uint32_t>;

void deposit(TotalVolume &v, float thickness, float ratio, int side)
{
    AnisotropicFilmDeposition(v, Gold, thickness, ratio, side).runDeposition();
}

} // namespace

TEST(AnisotropicDepositionTest, FlatSubstrateGrowsOnItsTopOnly)
{
    const Fill floor = [](unsigned, unsigned, unsigned z) { return z < 4 ? Si : 0u; };
    for (int layers : {1, 3}) {
        auto v = make(5, 4, 10, floor);
        deposit(*v, float(layers), 1.0f, AnisotropicFilmDeposition::Top);
        for (unsigned z = 0; z < 10; ++z)
            EXPECT_EQ(at(*v, 2, 1, z), z < 4 ? Si : z < 4u + unsigned(layers) ? Gold : 0u) << layers << " layers";
    }
    auto thin = make(5, 4, 10, floor);
    deposit(*thin, 0.9f, 1.0f, AnisotropicFilmDeposition::Top);
    EXPECT_EQ(at(*thin, 2, 1, 4), 0u) << "less than a cell adds nothing";

    // Lying on the volume's floor, the substrate shows no face downwards.
    auto bottom = make(5, 4, 10, floor);
    const auto before = bottom->materials();
    deposit(*bottom, 3.0f, 1.0f, AnisotropicFilmDeposition::Bottom);
    EXPECT_EQ(bottom->materials(), before);
}

TEST(AnisotropicDepositionTest, TrenchWallsDoNotEmitAndTopsOverhangByRatioTimesThickness)
{
    // Mesas (z < 6) at x < 4 and x >= 12, a trench floor (z < 2) between.
    const Fill trench = [](unsigned x, unsigned, unsigned z) { return z < ((x < 4 || x >= 12) ? 6u : 2u) ? Si : 0u; };
    auto v = make(16, 1, 10, trench);
    deposit(*v, 1.0f, 1.0f, AnisotropicFilmDeposition::Top);
    EXPECT_EQ(at(*v, 8, 0, 2), Gold) << "the trench floor grows";
    EXPECT_EQ(at(*v, 8, 0, 3), 0u);
    EXPECT_EQ(at(*v, 1, 0, 6), Gold) << "the mesa top grows";
    for (unsigned z = 3; z < 5; ++z) {
        EXPECT_EQ(at(*v, 4, 0, z), 0u) << "beside the left wall at z = " << z;
        EXPECT_EQ(at(*v, 11, 0, z), 0u) << "beside the right wall at z = " << z;
    }

    // At the level of the mesa's top cells the film reaches R·T sideways.
    for (float ratio : {1.0f, 2.0f, 3.0f}) {
        auto overhang = make(16, 1, 10, trench);
        deposit(*overhang, 1.0f, ratio, AnisotropicFilmDeposition::Top);
        const unsigned reach = unsigned(ratio);
        for (unsigned d = 1; d <= reach + 1; ++d) {
            const std::uint32_t expected = d <= reach ? Gold : 0u;
            EXPECT_EQ(at(*overhang, 3 + d, 0, 5), expected) << "R = " << ratio << ", " << d << " cells out";
            EXPECT_EQ(at(*overhang, 12 - d, 0, 5), expected) << "R = " << ratio << ", " << d << " cells out";
        }
        EXPECT_EQ(at(*overhang, 3 + reach, 0, 6), 0u) << "above the overhang's tip the distance exceeds T";
    }

    // A ratio below 1 keeps the film from spreading even one cell.
    auto narrow = make(16, 1, 10, trench);
    deposit(*narrow, 1.0f, 0.5f, AnisotropicFilmDeposition::Top);
    EXPECT_EQ(at(*narrow, 4, 0, 5), 0u);
    EXPECT_EQ(at(*narrow, 3, 0, 6), Gold);
}

TEST(AnisotropicDepositionTest, ASuspendedPlateGrowsOnTheChosenSides)
{
    // A plate at z 4..5 with empty space above and below.
    const Fill plate = [](unsigned, unsigned, unsigned z) { return z == 4 || z == 5 ? Si : 0u; };
    const Column top{0, 0, 0, 0, Si, Si, Gold, Gold, 0, 0};
    const Column bottom{0, 0, Gold, Gold, Si, Si, 0, 0, 0, 0};
    const Column both{0, 0, Gold, Gold, Si, Si, Gold, Gold, 0, 0};
    const std::pair<int, Column> cases[] = {
        {AnisotropicFilmDeposition::Top, top},
        {AnisotropicFilmDeposition::Bottom, bottom},
        {AnisotropicFilmDeposition::BothSides, both},
    };
    for (const auto &sample : cases) {
        auto v = make(4, 3, 10, plate);
        deposit(*v, 2.0f, 1.0f, sample.first);
        for (unsigned x = 0; x < 4; ++x)
            EXPECT_EQ(column(*v, x, 1), sample.second) << "side " << sample.first << ", x = " << x;
    }
}

TEST(AnisotropicDepositionTest, VectorsPointFromTheSourceToTheCell)
{
    auto v = make(3, 1, 6, [](unsigned, unsigned, unsigned z) { return z < 2 ? Si : 0u; });
    deposit(*v, 2.0f, 1.0f, AnisotropicFilmDeposition::Top);
    Model::Automaton::LockedCells locked(*v);
    EXPECT_EQ(locked[v->cellIndex(1, 0, 3)].dz, 2.0f);
    EXPECT_EQ(locked[v->cellIndex(1, 0, 3)].dx, 0.0f);
}

TEST(AnisotropicDepositionTest, SingleStripAndThreadedRunsGiveIdenticalCells)
{
    const Fill structure = [](unsigned x, unsigned y, unsigned z) {
        const bool trench = (x / 3) % 2 == 1 && y > 1 && y < 8;
        if (z < (trench ? 2u : 6u))
            return Si;
        return z == 9 && x % 4 == 0 ? Si : 0u; // overhanging bars
    };
    for (unsigned sx : {3u, 17u, 24u})
        for (int side : {1, 2, 3}) {
            const std::string difference = threadDifference(
                [&] { return make(sx, 10, 12, structure, {1.0f, 0.8f, 1.2f}); },
                [&](TotalVolume &v) { deposit(v, 2.5f, 1.5f, side); });
            EXPECT_EQ(difference, "") << sx << " planes, side " << side;
        }
}
