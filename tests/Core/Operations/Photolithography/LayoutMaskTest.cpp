// Masks from layout files. Invariants: every kind of shape and placement
// lands on the columns a hand drawing gives; layers and datatypes stay
// apart; a damaged, truncated or hostile file is refused with a reason and
// never read past its end (the sanitizer build checks the last part).
#include "Core/Operations/Photolithography/LayoutFile.h"
#include "Core/Operations/Photolithography/LayoutMask.h"

#include "LayoutWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

using namespace Core::Operations;
using TestSupport::LayoutWriter;
using Cells = std::set<std::pair<unsigned, unsigned>>;

namespace {

// SUB: a 3 x 1 bar on layer 1 and a unit square on layer 2. TOP: a 2 x 2
// square, SUB turned by 90° at (8, 2), a path of width 2 along y = 8,
// SUB reflected and magnified twice at (1, 6), and a 2 x 1 array of SUB
// from (4, 0), four units apart; a text that draws nothing.
QByteArray sampleLayout(double userUnits = 1.0)
{
    LayoutWriter writer(userUnits);
    writer.beginCell("SUB")
        .polygon(1, 0, {{0, 0}, {3, 0}, {3, 1}, {0, 1}})
        .polygon(2, 0, {{0, 0}, {1, 0}, {1, 1}, {0, 1}})
        .endCell();
    writer.beginCell("TOP")
        .polygon(1, 0, {{0, 0}, {2, 0}, {2, 2}, {0, 2}})
        .place("SUB", 8, 2, 90.0)
        .path(1, 0, 2, 0, {{0, 8}, {5, 8}})
        .place("SUB", 1, 6, 0.0, 2.0, true)
        .array("SUB", 2, 1, 4, 0, 4, 1)
        .text(1, "label")
        .polygon(1, 5, {{9, 9}, {10, 9}, {10, 10}, {9, 10}})
        .endCell();
    return writer.finish();
}

Cells covered(const Model::Automaton::CellMask &mask)
{
    Cells cells;
    for (int x = 0; x < mask.width; ++x)
        for (int y = 0; y < mask.height; ++y)
            if (mask.bits[std::size_t(x * mask.height + y)])
                cells.insert({unsigned(x), unsigned(y)});
    return cells;
}

Model::Automaton::CellMask draw(const LayoutFile &file, unsigned layer, unsigned datatype, unsigned size = 10,
                                LayoutMask::Placement placement = {})
{
    std::vector<LayoutMask::Polygon> polygons;
    QString problem;
    EXPECT_TRUE(LayoutMask::polygons(file, "TOP", {layer, datatype}, polygons, &problem)) << problem.toStdString();
    return LayoutMask::rasterise(polygons, size, size, placement);
}

} // namespace

TEST(LayoutMask, ShapesPathsAndPlacementsLandOnTheirColumns)
{
    LayoutFile file;
    QString problem;
    ASSERT_TRUE(file.read(sampleLayout(), &problem)) << problem.toStdString();
    EXPECT_EQ(file.topCells(), std::vector<std::string>{"TOP"});
    EXPECT_EQ(LayoutMask::layers(file, "TOP"), (std::set<LayoutMask::Layer>{{1, 0}, {1, 5}, {2, 0}}));

    Cells expected{{0, 0}, {0, 1}, {1, 0}, {1, 1}};              // the square
    for (unsigned y : {2u, 3u, 4u})                              // the turned bar: x 7..8, y 2..5
        expected.insert({7, y});
    for (unsigned x = 0; x < 5; ++x)                             // the path: y 7..9
        expected.insert({x, 7}), expected.insert({x, 8});
    for (unsigned x = 1; x < 7; ++x)                             // reflected, twice as large: y 4..6
        expected.insert({x, 4}), expected.insert({x, 5});
    for (unsigned x : {4u, 5u, 6u, 8u, 9u})                      // the array, cut off at the volume's edge
        expected.insert({x, 0});
    const auto mask = draw(file, 1, 0);
    EXPECT_EQ(mask.width, 10);
    EXPECT_EQ(mask.height, 10);
    EXPECT_EQ(covered(mask), expected);

    // Layer 2 holds only the placed unit squares.
    EXPECT_EQ(covered(draw(file, 2, 0)), (Cells{{7, 2}, {1, 4}, {2, 4}, {1, 5}, {2, 5}, {4, 0}, {8, 0}}));
    EXPECT_EQ(covered(draw(file, 1, 5)), (Cells{{9, 9}})) << "datatypes stay apart";
    EXPECT_TRUE(covered(draw(file, 3, 0)).empty());
}

TEST(LayoutMask, UnitsScaleAndOffsetPlaceTheLayoutOnTheVolume)
{
    LayoutFile file;
    QString problem;
    // Database units of a thousandth: the same drawing, in layout units.
    ASSERT_TRUE(file.read(sampleLayout(1e-3), &problem)) << problem.toStdString();
    EXPECT_NEAR(file.userUnitsPerDatabaseUnit(), 1e-3, 1e-15);
    LayoutFile plain;
    ASSERT_TRUE(plain.read(sampleLayout(), &problem));
    EXPECT_EQ(covered(draw(file, 1, 0, 10, {1e-3, 0, 0})), covered(draw(plain, 1, 0)));

    std::vector<LayoutMask::Polygon> all;
    ASSERT_TRUE(LayoutMask::allPolygons(file, "TOP", all, &problem));
    const LayoutMask::Placement fit = LayoutMask::fitting(all, 10, 10);
    EXPECT_NEAR(fit.unitsPerCell, 11e-3 / 10, 1e-12) << "x from 0 to 11 units sets the scale";
    EXPECT_NEAR(fit.offsetX, 0.0, 1e-12);
    EXPECT_NEAR(fit.offsetY, 0.0, 1e-12);

    // Two cells per database unit, the volume's corner at (1, 6): the
    // reflected bar (y 4..6) lies below the volume, the path (y 7..9) over
    // cell rows 2 and 3.
    const auto fine = covered(draw(file, 1, 0, 4, {0.5e-3, 1e-3, 6e-3}));
    EXPECT_EQ(fine, (Cells{{0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 2}, {2, 3}, {3, 2}, {3, 3}}));
}

TEST(LayoutMask, DamagedAndHostileFilesAreRefusedWithAReason)
{
    const QByteArray good = sampleLayout();
    for (int length = 0; length < good.size(); ++length) {
        LayoutFile file;
        QString problem;
        EXPECT_FALSE(file.read(good.left(length), &problem)) << length;
        EXPECT_FALSE(problem.isEmpty()) << length;
    }

    // Random damage: either refused with a reason or drawn without a fault.
    std::mt19937 random(5);
    for (int trial = 0; trial < 2000; ++trial) {
        QByteArray damaged = good;
        for (int k = 0; k < 3; ++k)
            damaged[int(random() % unsigned(damaged.size()))] = char(random());
        LayoutFile file;
        QString problem;
        if (!file.read(damaged, &problem)) {
            EXPECT_FALSE(problem.isEmpty());
            continue;
        }
        for (const std::string &top : file.topCells()) {
            std::vector<LayoutMask::Polygon> polygons;
            if (LayoutMask::allPolygons(file, top, polygons, &problem))
                LayoutMask::rasterise(polygons, 12, 12, LayoutMask::fitting(polygons, 12, 12));
        }
    }

    QString problem;
    LayoutFile file;
    EXPECT_FALSE(file.read(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), &problem));
    EXPECT_EQ(problem, "it is not a layout file");

    LayoutWriter loop;
    loop.beginCell("A").place("B", 0, 0).endCell().beginCell("B").place("A", 1, 1).endCell();
    loop.beginCell("TOP").place("A", 0, 0).endCell();
    ASSERT_TRUE(file.read(loop.finish(), &problem));
    std::vector<LayoutMask::Polygon> polygons;
    EXPECT_FALSE(LayoutMask::polygons(file, "TOP", {1, 0}, polygons, &problem));
    EXPECT_TRUE(problem.endsWith("places itself")) << problem.toStdString();

    LayoutWriter missing;
    missing.beginCell("TOP").place("GONE", 0, 0).endCell();
    ASSERT_TRUE(file.read(missing.finish(), &problem));
    EXPECT_FALSE(LayoutMask::polygons(file, "TOP", {1, 0}, polygons, &problem));
    EXPECT_EQ(problem, "the cell GONE is missing");

    // Arrays of arrays that would place a million million empty cells.
    LayoutWriter huge;
    huge.beginCell("E").endCell().beginCell("R").array("E", 32767, 32767, 0, 0, 1, 1).endCell();
    huge.beginCell("TOP").array("R", 32767, 32767, 0, 0, 1, 1).endCell();
    ASSERT_TRUE(file.read(huge.finish(), &problem));
    EXPECT_FALSE(LayoutMask::polygons(file, "TOP", {1, 0}, polygons, &problem));
    EXPECT_EQ(problem, "the layout places too many cells to draw");

    LayoutWriter zeroUnits(0.0);
    EXPECT_FALSE(file.read(zeroUnits.finish(), &problem));
    EXPECT_EQ(problem, "the units are damaged");
}

// A square turned by 45° and the same diamond drawn as a polygon cover the
// columns whose centres lie within it: |x - 5| + |y - 5| < 2.12.
TEST(LayoutMask, TurnedShapesCoverTheColumnsInsideThem)
{
    LayoutWriter writer;
    writer.beginCell("SQUARE").polygon(1, 0, {{-15, -15}, {15, -15}, {15, 15}, {-15, 15}}).endCell();
    writer.beginCell("TOP").place("SQUARE", 50, 50, 45.0).endCell();
    writer.beginCell("DIAMOND").polygon(1, 0, {{50, 29}, {71, 50}, {50, 71}, {29, 50}}).endCell();
    LayoutFile file;
    QString problem;
    ASSERT_TRUE(file.read(writer.finish(), &problem)) << problem.toStdString();
    EXPECT_EQ(file.topCells(), (std::vector<std::string>{"DIAMOND", "TOP"}));

    Cells expected;
    for (unsigned x = 0; x < 10; ++x)
        for (unsigned y = 0; y < 10; ++y)
            if (std::abs(x + 0.5 - 5) + std::abs(y + 0.5 - 5) < 2.12)
                expected.insert({x, y});
    ASSERT_EQ(expected.size(), 12u);
    const LayoutMask::Placement tenPerCell{10.0, 0.0, 0.0};
    EXPECT_EQ(covered(draw(file, 1, 0, 10, tenPerCell)), expected);
    std::vector<LayoutMask::Polygon> diamond;
    ASSERT_TRUE(LayoutMask::polygons(file, "DIAMOND", {1, 0}, diamond, &problem));
    EXPECT_EQ(covered(LayoutMask::rasterise(diamond, 10, 10, tenPerCell)), expected);
}

// A dense layout is mostly shapes smaller than a cell: one that holds a
// cell's centre covers that cell, one that lies between the centres covers
// none, whatever its size.
TEST(LayoutMask, ShapesSmallerThanACellCoverTheCellWhoseCentreTheyHold)
{
    const auto square = [](double x, double y, double half) {
        return LayoutMask::Polygon{{x - half, y - half}, {x + half, y - half}, {x + half, y + half}, {x - half, y + half}};
    };
    std::vector<LayoutMask::Polygon> polygons{
        square(2.5, 3.5, 0.01),  // around the centre of cell (2, 3)
        square(5.0, 5.0, 0.3),   // between four centres
        square(7.2, 1.5, 0.1),   // beside a centre in x
        {{0.5, 8.4}, {0.5, 8.6}, {0.6, 8.5}}, // a centre on its left edge: (0, 8)
        {{9.4, 9.4}, {9.5, 9.4}, {9.5, 9.5}, {9.4, 9.5}}, // a centre on its upper corner: none
    };
    EXPECT_EQ(covered(LayoutMask::rasterise(polygons, 10, 10, {1.0, 0.0, 0.0})), (Cells{{2, 3}, {0, 8}}));
}

// Layer and datatype numbers are unsigned 16-bit: 40000 is read as 40000
// (not as -25536, which once meant "every layer"), and choosing it draws
// its shapes alone.
TEST(LayoutMask, LayersAbove32767AreTheirOwnAndDrawnAlone)
{
    LayoutWriter writer;
    writer.beginCell("TOP")
        .polygon(40000, 65535, {{0, 0}, {2, 0}, {2, 2}, {0, 2}})
        .polygon(1, 0, {{4, 4}, {6, 4}, {6, 6}, {4, 6}})
        .polygon(32767, 0, {{8, 8}, {9, 8}, {9, 9}, {8, 9}})
        .endCell();
    LayoutFile file;
    QString problem;
    ASSERT_TRUE(file.read(writer.finish(), &problem)) << problem.toStdString();
    const LayoutFile::Element &high = file.cells().at("TOP").elements.front();
    EXPECT_EQ(high.layer, 40000u);
    EXPECT_EQ(high.datatype, 65535u);
    EXPECT_EQ(LayoutMask::layers(file, "TOP"), (std::set<LayoutMask::Layer>{{1, 0}, {32767, 0}, {40000, 65535}}));
    EXPECT_EQ(covered(draw(file, 40000, 65535)), (Cells{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    EXPECT_EQ(covered(draw(file, 32767, 0)), (Cells{{8, 8}}));
    EXPECT_TRUE(covered(draw(file, 40000, 0)).empty()) << "the datatype still counts";
}
