// Doping and ion implantation against hand-computed cells (the dopable
// materials are the default catalogue's "Simple Doping" list: Si, 14, 15,
// 16), and serial against threaded runs.
#include "Core/Operations/Doping/IonImplantation.h"
#include "Core/Operations/Doping/SimpleDoping.h"
#include "CellGrid.h"

#include <gtest/gtest.h>

using Core::Operations::IonImplantation;
using Core::Operations::SimpleDoping;
using namespace TestSupport::CellGrid;

namespace {

constexpr std::uint32_t Si = 1, Aluminium = 4, Doped = 15;
using Column = std::vector<std::uint32_t>;

bool inBlock(unsigned x, unsigned y, unsigned z)
{
    return x >= 2 && x <= 8 && y >= 2 && y <= 8 && z >= 2 && z <= 8;
}

} // namespace

TEST(DopingTest, ABlockGetsAShellOnEveryFreeFaceAndACapProtectsTheFaceUnderIt)
{
    auto v = make(11, 11, 11, [](unsigned x, unsigned y, unsigned z) { return inBlock(x, y, z) ? Si : 0u; });
    SimpleDoping(*v, Doped, 2.0f).runDoping();
    // Through the middle along each axis: two doped cells at each face.
    const Column line{0, 0, Doped, Doped, Si, Si, Si, Doped, Doped, 0, 0};
    for (unsigned i = 0; i < 11; ++i) {
        EXPECT_EQ(at(*v, i, 5, 5), line[i]) << "x = " << i;
        EXPECT_EQ(at(*v, 5, i, 5), line[i]) << "y = " << i;
        EXPECT_EQ(at(*v, 5, 5, i), line[i]) << "z = " << i;
    }

    auto capped = make(11, 11, 11, [](unsigned x, unsigned y, unsigned z) {
        if (z == 9 && x >= 2 && x <= 8 && y >= 2 && y <= 8)
            return Aluminium;
        return inBlock(x, y, z) ? Si : 0u;
    });
    SimpleDoping(*capped, Doped, 2.0f).runDoping();
    EXPECT_EQ(column(*capped, 5, 5), (Column{0, 0, Doped, Doped, Si, Si, Si, Si, Si, Aluminium, 0}))
        << "the cap is no source and is never doped";
    EXPECT_EQ(at(*capped, 2, 5, 8), Doped) << "the side faces still are";
}

TEST(DopingTest, ZeroDepthOrNoDopableMaterialChangesNothing)
{
    const Fill floor = [](unsigned, unsigned, unsigned z) { return z < 3 ? Si : z == 3 ? Aluminium : 0u; };
    auto v = make(4, 4, 6, floor);
    SimpleDoping(*v, Doped, 0.0f).runDoping();
    EXPECT_EQ(column(*v, 1, 1), (Column{Si, Si, Si, Aluminium, 0, 0}));
    SimpleDoping(*v, Doped, 5.0f).runDoping();
    EXPECT_EQ(column(*v, 1, 1), (Column{Si, Si, Si, Aluminium, 0, 0})) << "aluminium covers every face";
}

TEST(DopingTest, ImplantationConvertsTheLayerAtTheDepthBelowEachColumnsTop)
{
    // Si up to z 7; an aluminium cap at z 8 over x < 2; no solid at all in
    // the column x 5, y 0; cells half as tall as wide.
    const Fill substrate = [](unsigned x, unsigned y, unsigned z) {
        if (x == 5 && y == 0)
            return 0u;
        if (z == 8)
            return x < 2 ? Aluminium : 0u;
        return z < 8 ? Si : 0u;
    };
    const std::array<float, 3> cell{1.0f, 1.0f, 0.5f};
    auto v = make(8, 3, 10, substrate, cell);
    IonImplantation(*v, Doped, 1.5f, 0.0f).runImplantation();
    EXPECT_EQ(column(*v, 3, 1), (Column{Si, Si, Si, Si, Si, Doped, Si, Si, 0, 0})) << "the third solid cell";
    EXPECT_EQ(column(*v, 0, 1), (Column{Si, Si, Si, Si, Si, Si, Doped, Si, Aluminium, 0}))
        << "the cap counts in the depth";
    EXPECT_EQ(column(*v, 5, 0), Column(10, 0u)) << "an empty column stays empty";

    // At one cell the depth falls on the cap, which is not dopable.
    auto shallow = make(8, 3, 10, substrate, cell);
    IonImplantation(*shallow, Doped, 0.5f, 0.0f).runImplantation();
    EXPECT_EQ(column(*shallow, 0, 1), (Column{Si, Si, Si, Si, Si, Si, Si, Si, Aluminium, 0}));
    EXPECT_EQ(at(*shallow, 3, 1, 7), Doped);

    // Deeper than the column: nothing in it.
    auto deep = make(8, 3, 10, substrate, cell);
    IonImplantation(*deep, Doped, 20.0f, 0.0f).runImplantation();
    EXPECT_EQ(column(*deep, 3, 1), (Column{Si, Si, Si, Si, Si, Si, Si, Si, 0, 0}));
}

TEST(DopingTest, AnnealingSpreadsTheImplantedLayerThroughDopableCells)
{
    const Fill floor = [](unsigned, unsigned, unsigned z) { return z < 8 ? Si : 0u; };
    auto v = make(6, 3, 10, floor);
    IonImplantation(*v, Doped, 4.0f, 1.0f).runImplantation();
    EXPECT_EQ(column(*v, 2, 1), (Column{Si, Si, Si, Doped, Doped, Doped, Si, Si, 0, 0}));
}

TEST(DopingTest, SingleStripAndThreadedRunsGiveIdenticalCells)
{
    const Fill structure = [](unsigned x, unsigned y, unsigned z) {
        const bool trench = (x / 3) % 2 == 1 && y > 1 && y < 8;
        if (z < (trench ? 2u : 6u))
            return x % 5 == 0 ? std::uint32_t(16) : Si;
        return z == 6 && y < 3 ? Aluminium : 0u;
    };
    for (unsigned sx : {3u, 17u, 24u}) {
        const auto build = [&] { return make(sx, 10, 12, structure, {1.0f, 0.8f, 1.2f}); };
        EXPECT_EQ(threadDifference(build, [](TotalVolume &v) { SimpleDoping(v, Doped, 2.5f).runDoping(); }), "")
            << "doping, " << sx << " planes";
        EXPECT_EQ(threadDifference(build,
                                   [](TotalVolume &v) { IonImplantation(v, Doped, 2.4f, 1.5f).runImplantation(); }),
                  "")
            << "implantation, " << sx << " planes";
    }
}
