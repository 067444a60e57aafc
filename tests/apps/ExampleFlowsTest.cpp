// The sample flows of examples/ run through the batch program and are
// checked against what the structure each one builds must look like, not
// against a stored copy of their own output.

#include "BatchProgramRun.h"
#include "TempFolder.h"

#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/Photolithography/MaskFile.h"
#include "Model/Automaton/CellVolumes.h"
#include "Model/Automaton/TotalVolume.h"
#include "UI/BatchRun/ProcessData.h"
#include "UI/BatchRun/ProcessListArchiver.h"

#include <QImage>
#include <QRect>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <list>
#include <vector>

using TestSupport::BatchProgramRun;
using TestSupport::TempFolder;

namespace {

constexpr std::uint32_t Empty = 0;
constexpr std::uint32_t Silicon = 1;
constexpr std::uint32_t Oxide = 3;
constexpr std::uint32_t Nickel = 7;
constexpr std::uint32_t Gold = 9;
constexpr std::uint32_t Resist = 11;
constexpr std::uint32_t NegativeResist = 12;
constexpr std::uint32_t PolySilicon = 16;

// The cells of a finished flow, with the volume's sizes.
struct Cells
{
    unsigned sizeX = 0, sizeY = 0, sizeZ = 0;
    std::vector<std::uint32_t> materials;

    std::uint32_t at(unsigned x, unsigned y, unsigned z) const { return materials[z + sizeZ * (y + sizeY * x)]; }
    unsigned count(unsigned x, unsigned y, std::uint32_t material) const
    {
        unsigned n = 0;
        for (unsigned z = 0; z < sizeZ; ++z)
            n += at(x, y, z) == material;
        return n;
    }
};

// The parameter `name` of the first entry of `type` in a sample list.
double listParameter(const QString &list, int type, const QString &name)
{
    std::list<Ui::ProcessData> entries;
    EXPECT_TRUE(Ui::ProcessListArchiver(entries).loadProcessList(list, entries));
    for (const Ui::ProcessData &entry : entries)
        if (entry.type() == type)
            return entry.parameter(name).toDouble();
    ADD_FAILURE() << "no entry of type " << type << " in " << list.toStdString();
    return 0;
}

class ExampleFlowsTest : public ::testing::Test
{
protected:
    // Runs a sample list with `threads` threads and reads the cells it made.
    // Without a display the list's closing picture is the one entry that
    // cannot run.
    Cells run(const QString &list, int threads, const QStringList &more = {})
    {
        const QString document = QStringLiteral("flow-%1.cvx").arg(threads);
        QStringList arguments{list, QStringLiteral("-o"), document, QStringLiteral("--threads"), QString::number(threads)};
        const BatchProgramRun result = BatchProgramRun::start(folder.path(), arguments + more);
        const std::string described = "exit " + std::to_string(result.exitCode) + "\n" + result.err.toStdString();
        EXPECT_FALSE(result.crashed) << described;
        EXPECT_EQ(result.exitCode, 1) << described;
        EXPECT_TRUE(result.err.contains(QStringLiteral("Save Image: not run: no OpenGL context"))) << described;
        EXPECT_EQ(result.err.count(QStringLiteral(": not run:")), 1) << described;

        Cells cells;
        Core::Operations::OperationContext context;
        const auto opened = Core::Operations::DocumentFiles::open(folder.file(document), context);
        EXPECT_TRUE(opened.ok) << opened.errorText.toStdString();
        const auto volume = Model::Automaton::firstCellVolume(context.document().allObjects());
        if (!volume) {
            ADD_FAILURE() << "no cell volume in " << document.toStdString();
            return cells;
        }
        cells.sizeX = volume->sizeX();
        cells.sizeY = volume->sizeY();
        cells.sizeZ = volume->sizeZ();
        cells.materials = volume->materials();
        return cells;
    }

    // Runs a list with one and with two threads: the cells must not depend
    // on how the volume was split.
    Cells runTwice(const QString &list, const QStringList &more = {})
    {
        const Cells one = run(list, 1, more);
        const Cells two = run(list, 2, more);
        EXPECT_EQ(one.materials, two.materials) << "the cells differ between one and two threads";
        return two;
    }

    TempFolder folder;
};

// Least-squares slope of y over x.
double slope(const std::vector<double> &x, const std::vector<double> &y)
{
    const double n = double(x.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sx += x[i];
        sy += y[i];
        sxx += x[i] * x[i];
        sxy += x[i] * y[i];
    }
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

} // namespace

TEST_F(ExampleFlowsTest, TheMembraneIsAsThickAsPlannedAndItsPitHasTheWallsOfAlkalineEtching)
{
    const QString list = TestSupport::exampleList("membrane/membrane.plst");
    const double wafer = listParameter(list, Ui::ProcessData::CreateSubstrate, QStringLiteral("Substrate Size Z"));
    const double depth = listParameter(list, Ui::ProcessData::SiWetEtching, QStringLiteral("Depth"));
    const Cells cells = runTwice(list);
    ASSERT_GT(cells.sizeX, 0u);

    // Below the middle of the window only the membrane is left.
    const unsigned middleX = cells.sizeX / 2, middleY = cells.sizeY / 2;
    const unsigned membrane = cells.count(middleX, middleY, Silicon);
    EXPECT_NEAR(double(membrane), wafer - depth, 1.0);
    for (unsigned z = 0; z < membrane; ++z)
        EXPECT_EQ(cells.at(middleX, middleY, z), Silicon) << "the membrane has a hole at height " << z;
    // The untouched wafer around the pit keeps its full thickness.
    EXPECT_EQ(cells.count(0, 0, Silicon), unsigned(wafer));

    // The pit widens by two lateral runs per level climbed; (111) walls on a
    // (100) wafer rise at 54.74 degrees, a depth-over-run of 1.41. Measured
    // across the middle along x and along y, between the membrane and the
    // wafer's top.
    for (const bool alongX : {true, false}) {
        std::vector<double> heights, widths;
        for (unsigned z = membrane + 1; z + 1 < unsigned(wafer); ++z) {
            unsigned width = 0;
            const unsigned length = alongX ? cells.sizeX : cells.sizeY;
            for (unsigned i = 0; i < length; ++i)
                width += (alongX ? cells.at(i, middleY, z) : cells.at(middleX, i, z)) == Empty;
            heights.push_back(z);
            widths.push_back(width);
        }
        ASSERT_GE(heights.size(), 5u) << "the pit is too shallow to have walls";
        const double wallSlope = 2.0 / slope(heights, widths);
        EXPECT_NEAR(wallSlope, std::tan(54.74 * M_PI / 180.0), 0.1 * 1.41)
            << "walls across " << (alongX ? "x" : "y");
    }
}

TEST_F(ExampleFlowsTest, TheCantileverIsTheBeamOfItsMaskFreedAboveTheSubstrateAndItsNetlistHasOneBeam)
{
    const QString list = TestSupport::exampleList("cantilever/cantilever.plst");
    const double wafer = listParameter(list, Ui::ProcessData::CreateSubstrate, QStringLiteral("Substrate Size Z"));
    const double oxide = listParameter(list, Ui::ProcessData::Cvd, QStringLiteral("Thickness"));
    const double top = listParameter(list, Ui::ProcessData::Planarization, QStringLiteral("Maximum Height"));
    const Cells cells = runTwice(list, {QStringLiteral("--netlist"), QStringLiteral("beam.cir")});
    ASSERT_GT(cells.sizeX, 0u);

    // The beam as drawn: the opaque pixels of the beam mask beyond the
    // anchor strip, which covers whole image columns.
    const QImage mask(TestSupport::exampleList("cantilever/cantilever-beam.png"));
    ASSERT_FALSE(mask.isNull());
    QRect drawn;
    for (int x = 0; x < mask.width(); ++x) {
        int opaque = 0;
        for (int row = 0; row < mask.height(); ++row)
            opaque += qGray(mask.pixel(x, row)) == 0;
        if (opaque == mask.height())
            continue;
        for (int row = 0; row < mask.height(); ++row)
            if (qGray(mask.pixel(x, row)) == 0)
                drawn |= QRect(x, mask.height() - 1 - row, 1, 1);
    }
    ASSERT_FALSE(drawn.isEmpty());

    // The free-standing part: columns with polysilicon and nothing right
    // above the substrate.
    QRect free;
    for (unsigned x = 0; x < cells.sizeX; ++x)
        for (unsigned y = 0; y < cells.sizeY; ++y)
            if (cells.count(x, y, PolySilicon) > 0 && cells.at(x, y, unsigned(wafer)) == Empty)
                free |= QRect(int(x), int(y), 1, 1);
    EXPECT_EQ(free.width(), drawn.width()) << "length";
    EXPECT_EQ(free.height(), drawn.height()) << "width";
    EXPECT_EQ(free.left(), drawn.left());

    // Under the whole beam the sacrificial oxide is gone and the gap is as
    // high as the oxide was thick; the beam is as thick as ground.
    for (int x = free.left(); x <= free.right(); ++x)
        for (int y = free.top(); y <= free.bottom(); ++y) {
            unsigned z = unsigned(wafer);
            while (z < cells.sizeZ && cells.at(unsigned(x), unsigned(y), z) == Empty)
                ++z;
            ASSERT_EQ(z - unsigned(wafer), unsigned(oxide)) << "clearance under (" << x << ", " << y << ")";
            EXPECT_EQ(cells.count(unsigned(x), unsigned(y), PolySilicon), unsigned(top - wafer - oxide));
        }
    // The beam hangs from the anchor, which stands on the substrate.
    const unsigned anchorX = unsigned(free.left() - 1), middleY = unsigned(free.center().y());
    EXPECT_EQ(cells.at(anchorX, middleY, unsigned(wafer)), PolySilicon);
    EXPECT_EQ(cells.at(anchorX, middleY, unsigned(top) - 1), PolySilicon);

    const QStringList lines = QString::fromLatin1(TempFolder::read(folder.file(QStringLiteral("beam.cir"))))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^c\\d+ "))).size(), 1) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^l\\d+ "))).size(), 1) << lines.join('\n').toStdString();
}

TEST_F(ExampleFlowsTest, ThePlatedGearFillsItsMouldToThePlatedHeightAndTheMouldIsGone)
{
    const QString list = TestSupport::exampleList("electroplated/electroplated.plst");
    const double wafer = listParameter(list, Ui::ProcessData::CreateSubstrate, QStringLiteral("Substrate Size Z"));
    const double seed = listParameter(list, Ui::ProcessData::Cvd, QStringLiteral("Thickness"));
    const double plated = listParameter(list, Ui::ProcessData::Electroplating, QStringLiteral("Film Thickness"));
    const Cells cells = runTwice(list);
    ASSERT_GT(cells.sizeX, 0u);

    // The mould's openings: the transparent pixels of the mask, its bottom
    // row at y = 0.
    const QImage mask(TestSupport::exampleList("electroplated/electroplated-gear.png"));
    ASSERT_EQ(unsigned(mask.width()), cells.sizeX);
    ASSERT_EQ(unsigned(mask.height()), cells.sizeY);
    unsigned openings = 0;
    for (unsigned x = 0; x < cells.sizeX; ++x)
        for (unsigned y = 0; y < cells.sizeY; ++y) {
            const bool open = qGray(mask.pixel(int(x), mask.height() - 1 - int(y))) != 0;
            openings += open;
            const unsigned nickel = cells.count(x, y, Nickel);
            EXPECT_EQ(cells.count(x, y, Resist), 0u) << "resist left at (" << x << ", " << y << ")";
            if (!open) {
                ASSERT_EQ(nickel, 0u) << "nickel outside the mould's openings at (" << x << ", " << y << ")";
                continue;
            }
            ASSERT_NEAR(double(nickel), plated, 1.0) << "height at (" << x << ", " << y << ")";
            EXPECT_EQ(cells.at(x, y, unsigned(wafer + seed)), Nickel) << "not plated on the seed at (" << x << ", " << y << ")";
        }
    EXPECT_GT(openings, 0u);
}

// The switch's masks are the layers of one layout file, which each
// lithography step names (relative to the list, run from another folder)
// instead of holding flags. Built up as planned: the metal where layer 1
// draws it, polysilicon standing on the oxide in the anchor openings of
// layer 2, the beam of layer 3 two cells above the metal, and both resists
// gone, so that the beam's paddle is free over the electrode.
TEST_F(ExampleFlowsTest, TheSwitchIsBuiltFromTheLayersOfItsLayoutFile)
{
    const QString list = TestSupport::exampleList("mems-switch/mems-switch.plst");
    const Cells cells = runTwice(list);
    ASSERT_EQ(cells.sizeX, 80u);
    ASSERT_EQ(cells.sizeY, 40u);
    ASSERT_EQ(cells.sizeZ, 20u);

    // Each layer as the entries draw it: cell SWITCH, one micrometre (a
    // thousand database units) per cell from the layout's origin.
    const auto layer = [&](unsigned number) {
        Core::Operations::MaskSource source;
        source.path = TestSupport::exampleList("mems-switch/mems-switch.gds");
        source.cell = "SWITCH";
        source.layerChosen = true;
        source.layer = {number, 0};
        source.placed = true;
        source.placement = {1.0, 0.0, 0.0};
        Model::Automaton::CellMask mask;
        Core::Operations::MaskFile::Refusal refusal;
        EXPECT_TRUE(Core::Operations::MaskFile::draw(source, cells.sizeX, cells.sizeY, &mask, &refusal))
            << refusal.reason.toStdString();
        return mask;
    };
    const Model::Automaton::CellMask metal = layer(1), anchors = layer(2), beam = layer(3);
    // The shapes' areas in square micrometres: the electrode 20 x 20 and
    // the signal line 4 wide along 16 + 36 with its corner; six 4 x 4
    // vias; the beam's pad 14 x 28, arm 8 x 8, paddle 20 x 18, tip 20 x 6.
    const auto area = [](const Model::Automaton::CellMask &mask) {
        return std::count(mask.bits.begin(), mask.bits.end(), true);
    };
    EXPECT_EQ(area(metal), 400 + 208);
    EXPECT_EQ(area(anchors), 6 * 16);
    EXPECT_EQ(area(beam), 392 + 64 + 360 + 120);

    constexpr unsigned Wafer = 6, MetalZ = 7, BeamZ = 10, BeamTop = 12;
    for (unsigned x = 0; x < cells.sizeX; ++x)
        for (unsigned y = 0; y < cells.sizeY; ++y) {
            const std::size_t column = x * cells.sizeY + y;
            for (unsigned z = 0; z < cells.sizeZ; ++z) {
                std::uint32_t expected = Empty;
                if (z < Wafer)
                    expected = Silicon;
                else if (z == Wafer)
                    expected = Oxide;
                else if (z == MetalZ && metal.bits[column])
                    expected = Gold;
                else if (z < BeamZ && anchors.bits[column])
                    expected = PolySilicon;
                else if (z >= BeamZ && z < BeamTop && beam.bits[column])
                    expected = PolySilicon;
                ASSERT_EQ(cells.at(x, y, z), expected) << "at (" << x << ", " << y << ", " << z << ")";
            }
        }
    // The paddle (30..50 x 11..29) hangs over the electrode (30..50 x
    // 10..30) with two empty cells between them.
    EXPECT_EQ(cells.at(40, 20, MetalZ), Gold);
    EXPECT_EQ(cells.at(40, 20, MetalZ + 1), Empty);
    EXPECT_EQ(cells.at(40, 20, BeamZ), PolySilicon);
    const auto resist = [&](std::uint32_t material) {
        return std::count(cells.materials.begin(), cells.materials.end(), material);
    };
    EXPECT_EQ(resist(Resist) + resist(NegativeResist), 0) << "both resists are gone";
}
