// Photolithography: mask bits from images, masks laid over the volume's
// columns, and the development against hand-computed columns. Invariants:
// pixels keep their place (no transposed or flipped masks); resist goes
// only where light reaches it from a free surface, column by column, and
// stops at the first other material; a negative resist keeps what the
// mask leaves open; the cells are the same for any thread count; a list
// entry whose mask bits do not fill the mask is refused, not run.
#include "Core/Operations/EntryParameters.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Photolithography/MaskImage.h"
#include "Core/Operations/Photolithography/Photolithography.h"
#include "Core/Operations/Photolithography/PhotolithographyOperation.h"
#include "Core/Operations/Photolithography/PhotolithographyProcesses.h"
#include "Model/Automaton/TotalVolume.h"
#include "RecordingOperation.h"
#include "ScriptedInterrupter.h"

#include <QImage>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <functional>
#include <random>

using namespace Core::Operations;
using Model::Automaton::CellMask;
using Model::Automaton::TotalVolume;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3, Resist = 11, Negative = 12;

using Fill = std::function<std::uint32_t(unsigned x, unsigned y, unsigned z)>;
using Column = std::vector<std::uint32_t>;

boost::shared_ptr<TotalVolume> volume(unsigned sx, unsigned sy, unsigned sz, const Fill &fill)
{
    std::vector<std::uint32_t> m(std::size_t(sx) * sy * sz);
    for (unsigned x = 0; x < sx; ++x)
        for (unsigned y = 0; y < sy; ++y)
            for (unsigned z = 0; z < sz; ++z)
                m[z + sz * (y + std::size_t(sy) * x)] = fill(x, y, z);
    return boost::make_shared<TotalVolume>(sx, sy, sz, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
}

// The same column everywhere, bottom to top.
boost::shared_ptr<TotalVolume> columns(unsigned sx, unsigned sy, const Column &column)
{
    return volume(sx, sy, unsigned(column.size()), [&](unsigned, unsigned, unsigned z) { return column[z]; });
}

Column column(TotalVolume &v, unsigned x, unsigned y)
{
    Model::Automaton::LockedCells cells(v);
    Column result;
    for (unsigned z = 0; z < v.sizeZ(); ++z)
        result.push_back(cells[v.cellIndex(x, y, z)].material);
    return result;
}

CellMask mask(int width, int height, std::vector<bool> bits)
{
    CellMask m;
    m.width = width;
    m.height = height;
    m.bits = std::move(bits);
    return m;
}

// A mask covering exactly the listed (x, y) columns of a width x height image.
CellMask covering(int width, int height, std::initializer_list<std::pair<int, int>> covered)
{
    CellMask m = mask(width, height, std::vector<bool>(std::size_t(width * height), false));
    for (const auto &c : covered)
        m.bits[std::size_t(c.first * height + c.second)] = true;
    return m;
}

bool develop(TotalVolume &v, std::uint32_t resist, const CellMask &bottom, const CellMask &top,
             Interrupter *interrupter = nullptr)
{
    return Photolithography(v, resist, bottom, top, interrupter).runDevelopment();
}

class PhotolithographyTest : public ::testing::Test
{
protected:
    ~PhotolithographyTest() override
    {
        QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount());
    }
};

} // namespace

TEST(MaskImage, OnlyPureRedAndBlackPixelsAreOpaqueStoredByColumnBottomRowFirst)
{
    // Three columns, two rows; row 0 is the top of the image.
    QImage image(3, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255)); // red
    image.setPixel(1, 0, qRgba(0, 0, 0, 255));   // black
    image.setPixel(2, 0, qRgba(128, 0, 0, 255)); // dark red
    image.setPixel(0, 1, qRgba(128, 128, 128, 255)); // grey
    image.setPixel(1, 1, qRgba(0, 0, 0, 0));     // transparent
    image.setPixel(2, 1, qRgba(255, 0, 0, 90));  // red, half see-through
    const CellMask m = maskFromImage(image);
    EXPECT_EQ(m.width, 3);
    EXPECT_EQ(m.height, 2);
    // Column i is bits 2i (bottom row) and 2i + 1 (top row).
    EXPECT_EQ(m.bits, (std::vector<bool>{false, true, false, true, true, false}));

    const QImage premultiplied = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(maskFromImage(premultiplied).bits, m.bits) << "a stored transparent black is still transparent";
    EXPECT_EQ(maskFromImage(image.convertToFormat(QImage::Format_RGB32)).bits,
              (std::vector<bool>{false, true, true, true, true, false}))
        << "without alpha the transparent pixel is plain black";
    EXPECT_TRUE(maskFromImage(QImage()).isEmpty());
}

TEST(CellMask, ImagesSmallerAndLargerThanTheVolumeAndNegativeResist)
{
    // A 2 x 3 image covering image column 1, rows 0 (top) and 2 (bottom):
    // volume columns (1, 2) and (1, 0).
    const CellMask small = covering(2, 3, {{1, 0}, {1, 2}});
    const std::vector<bool> on4x4 = small.columnBits(4, 4);
    for (unsigned x = 0; x < 4; ++x)
        for (unsigned y = 0; y < 4; ++y)
            EXPECT_EQ(on4x4[x * 4 + y], x == 1 && (y == 0 || y == 2)) << x << ", " << y;
    const std::vector<bool> inverted = small.columnBits(4, 4, true);
    for (std::size_t i = 0; i < on4x4.size(); ++i)
        EXPECT_NE(inverted[i], on4x4[i]) << "beyond the image too: " << i;

    // Larger than a 1 x 2 volume: only image column 0, rows from the bottom.
    const CellMask large = covering(3, 4, {{0, 1}, {1, 0}, {2, 3}});
    EXPECT_EQ(large.columnBits(1, 2), (std::vector<bool>{false, true}));

    EXPECT_EQ(mask(2, 2, {true, true, true}).columnBits(2, 1), (std::vector<bool>{false, false}))
        << "bits that do not fill the image cover nothing";
    EXPECT_EQ(CellMask().columnBits(2, 1, true), (std::vector<bool>{true, true}));
}

TEST_F(PhotolithographyTest, TopMaskKeepsCoveredColumnsAndLightStopsAtTheFirstOtherMaterial)
{
    // Bottom to top: Si, resist, oxide, resist, resist, empty.
    const Column stack{Si, Resist, Oxide, Resist, Resist, 0};
    auto v = columns(3, 2, stack);
    ASSERT_TRUE(develop(*v, Resist, CellMask(), covering(3, 2, {{1, 1}})));
    for (unsigned x = 0; x < 3; ++x)
        for (unsigned y = 0; y < 2; ++y) {
            const bool covered = x == 1 && y == 1;
            EXPECT_EQ(column(*v, x, y), covered ? stack : (Column{Si, Resist, Oxide, 0, 0, 0})) << x << ", " << y;
        }
}

TEST_F(PhotolithographyTest, BottomMaskDevelopsResistOverAGapAndACapStopsTheTopMask)
{
    // Bottom to top: empty gap, resist, resist, Si cap, empty.
    const Column bridge{0, Resist, Resist, Si, 0};
    auto v = columns(2, 1, bridge);
    ASSERT_TRUE(develop(*v, Resist, covering(2, 1, {{1, 0}}), CellMask()));
    EXPECT_EQ(column(*v, 0, 0), (Column{0, 0, 0, Si, 0})) << "developed upwards to the cap";
    EXPECT_EQ(column(*v, 1, 0), bridge) << "covered from below";

    // The same resist lit only from above: the cap shields it.
    auto capped = columns(2, 1, bridge);
    ASSERT_TRUE(develop(*capped, Resist, covering(2, 1, {{0, 0}, {1, 0}}), CellMask()));
    EXPECT_EQ(column(*capped, 0, 0), bridge);
    auto underTop = columns(1, 1, {Resist, Resist, Si, 0});
    ASSERT_TRUE(develop(*underTop, Resist, CellMask(), CellMask()));
    EXPECT_EQ(column(*underTop, 0, 0), (Column{Resist, Resist, Si, 0})) << "no free surface, no development";
}

TEST_F(PhotolithographyTest, WithoutMasksPositiveResistGoesAndNegativeResistStays)
{
    auto positive = columns(2, 2, {Si, Resist, Resist, Resist, 0});
    ASSERT_TRUE(develop(*positive, Resist, CellMask(), CellMask()));
    EXPECT_EQ(column(*positive, 1, 1), (Column{Si, 0, 0, 0, 0})) << "S = sizeZ steps clear the whole column";

    auto negative = columns(2, 2, {Si, Negative, Negative, 0});
    ASSERT_TRUE(develop(*negative, Negative, CellMask(), CellMask()));
    EXPECT_EQ(column(*negative, 0, 0), (Column{Si, Negative, Negative, 0}));

    // Covered negative resist goes, uncovered stays; beyond a smaller
    // image the columns count as uncovered and stay as well.
    ASSERT_TRUE(develop(*negative, Negative, CellMask(), covering(1, 1, {{0, 0}})));
    EXPECT_EQ(column(*negative, 0, 0), (Column{Si, 0, 0, 0}));
    EXPECT_EQ(column(*negative, 0, 1), (Column{Si, Negative, Negative, 0}));
    EXPECT_EQ(column(*negative, 1, 0), (Column{Si, Negative, Negative, 0}));

    auto beyond = columns(2, 2, {Si, Resist, 0});
    ASSERT_TRUE(develop(*beyond, Resist, CellMask(), covering(1, 1, {{0, 0}})));
    EXPECT_EQ(column(*beyond, 0, 0), (Column{Si, Resist, 0}));
    EXPECT_EQ(column(*beyond, 1, 1), (Column{Si, 0, 0})) << "beyond the image positive resist is developed";
}

TEST_F(PhotolithographyTest, OtherMaterialsAndTheResistIdChooseWhatIsDeveloped)
{
    auto v = columns(1, 1, {Oxide, Resist, 0});
    ASSERT_TRUE(develop(*v, 0, CellMask(), CellMask())) << "no resist chosen: only empty cells are visited";
    EXPECT_EQ(column(*v, 0, 0), (Column{Oxide, Resist, 0}));
    ASSERT_TRUE(develop(*v, Oxide, CellMask(), CellMask()));
    EXPECT_EQ(column(*v, 0, 0), (Column{Oxide, Resist, 0})) << "oxide under resist has no free surface";
}

TEST_F(PhotolithographyTest, OneAndManyThreadsDevelopTheSameCells)
{
    std::mt19937 random(17);
    std::vector<std::uint32_t> pattern(23 * 7 * 9);
    for (auto &m : pattern) {
        const unsigned r = random() % 10;
        m = r < 3 ? 0 : r < 8 ? Resist : Si;
    }
    const Fill fill = [&](unsigned x, unsigned y, unsigned z) { return pattern[z + 9 * (y + 7 * x)]; };
    CellMask top = mask(19, 5, std::vector<bool>(19 * 5));
    CellMask bottom = mask(30, 8, std::vector<bool>(30 * 8));
    for (std::size_t i = 0; i < top.bits.size(); ++i)
        top.bits[i] = random() % 2;
    for (std::size_t i = 0; i < bottom.bits.size(); ++i)
        bottom.bits[i] = random() % 3 == 0;

    QThreadPool::globalInstance()->setMaxThreadCount(1);
    auto serial = volume(23, 7, 9, fill);
    ASSERT_TRUE(develop(*serial, Resist, bottom, top));
    EXPECT_NE(serial->materials(), volume(23, 7, 9, fill)->materials()) << "the case develops something";
    for (int threads : {2, 3, 8}) {
        QThreadPool::globalInstance()->setMaxThreadCount(threads);
        auto threaded = volume(23, 7, 9, fill);
        ASSERT_TRUE(develop(*threaded, Resist, bottom, top));
        EXPECT_EQ(threaded->materials(), serial->materials()) << threads << " threads";
    }
}

TEST_F(PhotolithographyTest, AStoppedDevelopmentKeepsWholeSteps)
{
    auto v = columns(2, 1, {Resist, Resist, Resist, Resist, 0});
    TestSupport::ScriptedInterrupter interrupter(3);
    EXPECT_FALSE(develop(*v, Resist, CellMask(), CellMask(), &interrupter));
    EXPECT_EQ(column(*v, 0, 0), (Column{Resist, Resist, 0, 0, 0})) << "two steps done";
    EXPECT_EQ(interrupter.reports.back().steps, 5);

    TestSupport::ScriptedInterrupter watching;
    EXPECT_TRUE(develop(*v, Resist, CellMask(), CellMask(), &watching));
    EXPECT_EQ(watching.reports.back().step, watching.reports.back().steps) << "the last report says done";
}

TEST(PhotolithographyEntries, MaskBitsMustFillTheirMask)
{
    const ProcessKind<PhotolithographyParameters> &kind = photolithographyDescriptor();
    const auto entry = [](MaskVector top, unsigned width, unsigned height) {
        return ParameterMap{
            {QStringLiteral("MaterialId"), Resist},
            {QStringLiteral("Top Mask"), QVariant::fromValue(top)},
            {QStringLiteral("Top Mask Width"), width},
            {QStringLiteral("Top Mask Height"), height},
            {QStringLiteral("Bottom Mask"), QVariant::fromValue(MaskVector())},
            {QStringLiteral("Bottom Mask Width"), 0u},
            {QStringLiteral("Bottom Mask Height"), 0u},
        };
    };
    const ParameterMap good = entry({true, false, false, true, true, false}, 3, 2);
    EntryParameters reader(good);
    const PhotolithographyParameters read = kind.read(reader);
    ASSERT_TRUE(reader.complete()) << reader.problem().toStdString();
    EXPECT_EQ(read.resist, Resist);
    EXPECT_EQ(read.topMask.width, 3);
    EXPECT_EQ(read.topMask.height, 2);
    EXPECT_TRUE(read.bottomMask.isEmpty());

    for (const ParameterMap &bad : {entry({true, false, true}, 3, 2), entry({}, 3, 2), entry({true}, 0, 1)}) {
        EntryParameters refused(bad);
        EXPECT_FALSE(kind.readEntry(refused));
        EXPECT_EQ(refused.status(), EntryParameters::NotConvertible);
        EXPECT_TRUE(refused.problem().startsWith(QStringLiteral("parameter \"Top Mask\" cannot be used: it holds ")))
            << refused.problem().toStdString();
    }
}

// The window's flow: masks laid over the volume while the options are
// open, a run that takes them away, and undo and redo of the development.
TEST(PhotolithographyOperation, MasksShowOnTheVolumeUntilTheRunAndTheRunCanBeUndone)
{
    OperationContext context;
    context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
    const auto lines = TestSupport::ConsoleLog::attach(context);
    const Column stack{Si, Resist, Resist, 0};
    auto v = columns(3, 2, stack);
    context.document().addObject(v);
    const auto before = v->materials();

    context.startOperation(PhotolithographyId);
    auto op = boost::dynamic_pointer_cast<PhotolithographyOperation>(context.currentOperation());
    ASSERT_TRUE(op);
    const CellMask top = covering(3, 2, {{0, 0}, {2, 1}});
    op->setTopMask(top.bits, top.width, top.height);
    op->setBottomMask({true}, 1, 1);
    EXPECT_EQ(v->topMask().bits, top.bits) << "shown before the run";
    EXPECT_EQ(v->bottomMask().width, 1);
    op->setBottomMask({}, 0, 0);
    EXPECT_TRUE(v->bottomMask().isEmpty()) << "removed at once";
    op->setMaterialId(Resist);
    op->end();

    EXPECT_EQ(lines->lines.back(), "Photolithography: Operation finished.");
    EXPECT_FALSE(context.currentOperation());
    EXPECT_TRUE(v->topMask().isEmpty() && v->topMask().bits.empty()) << "the run takes the masks away";
    EXPECT_EQ(column(*v, 0, 0), stack);
    EXPECT_EQ(column(*v, 2, 1), stack);
    EXPECT_EQ(column(*v, 1, 0), (Column{Si, 0, 0, 0}));
    EXPECT_EQ(context.processRecords().lastOperation(v->id()), int(PhotolithographyId));
    EXPECT_FALSE(context.processRecords().hasSiLatticeRecord(v->id())) << "resist other than Si leaves the lattice";
    const auto after = v->materials();

    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(v->materials(), before);
    ASSERT_TRUE(context.history().redo());
    EXPECT_EQ(v->materials(), after);
}

TEST(PhotolithographyOperation, ACanceledOrIncompleteOperationDevelopsNothingAndKeepsTheMasks)
{
    OperationContext context;
    context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
    const auto lines = TestSupport::ConsoleLog::attach(context);
    auto v = columns(2, 1, {Resist, 0});
    context.document().addObject(v);
    const auto before = v->materials();

    context.startOperation(PhotolithographyId);
    auto op = boost::dynamic_pointer_cast<PhotolithographyOperation>(context.currentOperation());
    ASSERT_TRUE(op);
    op->setTopMask({true}, 1, 1);
    op->end(); // no resist chosen
    EXPECT_EQ(lines->lines.back(), "Photolithography: Operation Canceled!");
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(v->materials(), before);
    EXPECT_EQ(v->topMask().bits, std::vector<bool>{true}) << "the overlay stays until a development ends";
    EXPECT_EQ(context.history().undoCount(), 0u);

    // The next development goes through the mask the view still shows,
    // not through none.
    context.startOperation(PhotolithographyId);
    op = boost::dynamic_pointer_cast<PhotolithographyOperation>(context.currentOperation());
    ASSERT_TRUE(op);
    op->setMaterialId(Resist);
    op->end();
    EXPECT_EQ(lines->lines.back(), "Photolithography: Operation finished.");
    EXPECT_EQ(column(*v, 0, 0), (Column{Resist, 0}));
    EXPECT_EQ(column(*v, 1, 0), (Column{0, 0}));
    EXPECT_TRUE(v->topMask().isEmpty());

    // Without a volume a mask is only kept for the run.
    context.document().addObject(columns(1, 1, {0}));
    context.startOperation(PhotolithographyId);
    op = boost::dynamic_pointer_cast<PhotolithographyOperation>(context.currentOperation());
    ASSERT_TRUE(op);
    EXPECT_FALSE(op->volume());
    op->setBottomMask({false}, 1, 1);
    EXPECT_EQ(op->bottomMask().width, 1);
    EXPECT_TRUE(v->bottomMask().isEmpty());
    context.cancelCurrentOperation();
    EXPECT_EQ(lines->lines.back(), "Photolithography: Operation Canceled!");
}
