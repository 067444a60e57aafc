// Gluing a top cell volume onto a base one, driven as a user would: pick
// the base, Enter, pick the top, Enter, then the dialog's values. Invariants:
// the base's filled cells keep their places; the top's filled slab lies
// directly on the base's highest layer and nothing of the top overwrites
// the base; the result is the same for one and many threads; undo and redo
// swap between the two volumes and the glued one without losing any.
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Volumes/GlueSubstrateOperation.h"
#include "Model/Automaton/TotalVolume.h"
#include "RecordingOperation.h"

#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <functional>

using namespace Core::Operations;
using Model::Automaton::TotalVolume;
using Lines = std::vector<std::string>;
using Fill = std::function<std::uint32_t(unsigned x, unsigned y, unsigned z)>;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 2, Metal = 3;

boost::shared_ptr<TotalVolume> makeVolume(unsigned sx, unsigned sy, unsigned sz, const Fill &fill,
                                          float cellsize = 1.0f)
{
    std::vector<std::uint32_t> materials(std::size_t(sx) * sy * sz);
    for (unsigned x = 0; x < sx; ++x)
        for (unsigned y = 0; y < sy; ++y)
            for (unsigned z = 0; z < sz; ++z)
                materials[z + std::size_t(sz) * (y + std::size_t(sy) * x)] = fill(x, y, z);
    return boost::make_shared<TotalVolume>(sx, sy, sz, cellsize, cellsize, cellsize, Util::Vector3D(), materials);
}

// Material `m` in the layers [from, to).
Fill layers(unsigned from, unsigned to, std::uint32_t m)
{
    return [=](unsigned, unsigned, unsigned z) { return z >= from && z < to ? m : 0u; };
}

std::uint32_t cellOf(TotalVolume &volume, unsigned x, unsigned y, unsigned z)
{
    const Model::Automaton::LockedCells cells(volume);
    return cells[volume.cellIndex(x, y, z)].material;
}

class GlueSubstrateTest : public ::testing::Test
{
protected:
    GlueSubstrateTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
    }
    ~GlueSubstrateTest() override { QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount()); }

    boost::shared_ptr<TotalVolume> add(const boost::shared_ptr<TotalVolume> &volume)
    {
        context.document().addObject(volume);
        return volume;
    }

    void pickAndEnter(const boost::shared_ptr<TotalVolume> &volume)
    {
        ASSERT_TRUE(context.selectionManager().mode()) << "picking needs selection mode";
        context.selectionManager().toggle({volume->id()});
        context.consoleInput().processLine("");
    }

    // Base and top picked: the operation waits for the dialog's values.
    boost::shared_ptr<GlueSubstrateOperation> pickBoth(const boost::shared_ptr<TotalVolume> &base,
                                                       const boost::shared_ptr<TotalVolume> &top)
    {
        context.startOperation(GlueSubstrateId);
        pickAndEnter(base);
        pickAndEnter(top);
        auto glue = boost::dynamic_pointer_cast<GlueSubstrateOperation>(context.currentOperation());
        EXPECT_TRUE(glue && glue->step() == GlueSubstrateOperation::WaitingForOptions);
        return glue;
    }

    boost::shared_ptr<TotalVolume> glue(const boost::shared_ptr<TotalVolume> &base,
                                        const boost::shared_ptr<TotalVolume> &top, unsigned spareZ,
                                        unsigned dx = 0, unsigned dy = 0, bool invert = false)
    {
        const auto op = pickBoth(base, top);
        if (!op)
            return {};
        const GlueLayout &layout = op->layout();
        op->setFinalSize(layout.finalX, layout.finalY, layout.stackedHeight + spareZ);
        op->setDisplacement(dx, dy);
        op->setInvert(invert);
        op->end();
        return op->glued();
    }

    OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
};

} // namespace

TEST_F(GlueSubstrateTest, AsksForTheBaseThenTheTopAndMeasuresBoth)
{
    const auto base = add(makeVolume(4, 3, 10, layers(0, 4, Si)));
    const auto top = add(makeVolume(2, 5, 8, layers(1, 4, Oxide), 2.0f));
    context.startOperation(GlueSubstrateId);
    EXPECT_EQ(lines->lines, Lines{"Glue Volumes: select the base cell volume and press Enter/Return."});
    pickAndEnter(base);
    EXPECT_EQ(lines->lines, (Lines{"Glue Volumes: select the base cell volume and press Enter/Return.",
                                   "Glue Volumes: base cell volume selected. Select top cell volume and press enter",
                                   "Glue Volumes: select the top cell volume and press Enter/Return."}));
    EXPECT_FALSE(base->isSelected());
    // The base again is no top.
    pickAndEnter(base);
    EXPECT_EQ(lines->lines.back(), "Glue Volumes: select the top cell volume and press Enter/Return.");
    pickAndEnter(top);
    EXPECT_EQ(lines->lines.back(), "Glue Volumes: top cell volume selected.");
    EXPECT_FALSE(context.selectionManager().mode());

    const auto op = boost::dynamic_pointer_cast<GlueSubstrateOperation>(context.currentOperation());
    ASSERT_TRUE(op);
    EXPECT_EQ(op->base(), base);
    EXPECT_EQ(op->top(), top);
    const GlueLayout &layout = op->layout();
    EXPECT_EQ(layout.baseHeight, 4u);
    EXPECT_EQ(layout.topLowest, 1u);
    EXPECT_EQ(layout.topHighest, 3u);
    EXPECT_EQ(layout.finalX, 4u);
    EXPECT_EQ(layout.finalY, 5u);
    EXPECT_EQ(layout.stackedHeight, 7u);
    EXPECT_EQ(layout.maxDisplacementX, 2u);
    EXPECT_EQ(layout.maxDisplacementY, 0u);
    EXPECT_EQ(layout.cellsizeX, 2.0f) << "the larger cell edge per axis";
    // Without the dialog's choice the result has one spare layer.
    EXPECT_EQ(op->placement().sizeZ, 8u);
}

TEST_F(GlueSubstrateTest, EqualSubstratesStackToTheSumOfTheirFilledHeightsPlusTheSpareLayers)
{
    const auto base = add(makeVolume(4, 3, 10, layers(0, 4, Si)));
    const auto top = add(makeVolume(4, 3, 10, layers(0, 4, Oxide)));
    base->moveBy(Util::Vector3D(5, 6, 7));
    const auto glued = glue(base, top, 2);
    ASSERT_TRUE(glued);
    EXPECT_EQ(glued->sizeX(), 4u);
    EXPECT_EQ(glued->sizeY(), 3u);
    EXPECT_EQ(glued->sizeZ(), 10u);
    EXPECT_EQ(glued->position(), Util::Vector3D(5, 6, 7)) << "at the base's place";
    for (unsigned x = 0; x < 4; ++x)
        for (unsigned y = 0; y < 3; ++y)
            for (unsigned z = 0; z < 10; ++z)
                ASSERT_EQ(cellOf(*glued, x, y, z), z < 4 ? Si : z < 8 ? Oxide : 0u) << x << y << z;

    EXPECT_EQ(context.document().allObjects(), std::vector<boost::shared_ptr<Model::Object>>{glued});
    EXPECT_EQ(lines->lines.back(), "Glue Volumes: volumes glued into one cell volume of 4 x 3 x 10 cells.");
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(context.history().undoTitle(), "Glue Volumes");
}

TEST_F(GlueSubstrateTest, InvertedTopLaysItsHighestLayerOnTheBaseAndMirrorsX)
{
    const auto base = add(makeVolume(3, 2, 8, layers(0, 3, Si)));
    // Oxide at z = 2 and metal at z = 3 in the column x = 0 only; empty
    // layers above and below the filled slab.
    const auto top = add(makeVolume(3, 2, 6, [](unsigned x, unsigned, unsigned z) {
        return z == 2 ? Oxide : z == 3 && x == 0 ? Metal : 0u;
    }));
    const auto glued = glue(base, top, 0, 0, 0, true);
    ASSERT_TRUE(glued);
    ASSERT_EQ(glued->sizeZ(), 5u);
    for (unsigned y = 0; y < 2; ++y) {
        for (unsigned x = 0; x < 3; ++x) {
            for (unsigned z = 0; z < 3; ++z)
                EXPECT_EQ(cellOf(*glued, x, y, z), Si) << "the top's empty layers never cover the base";
            EXPECT_EQ(cellOf(*glued, x, y, 3), x == 2 ? Metal : 0u) << "highest layer on the base, x mirrored";
            EXPECT_EQ(cellOf(*glued, x, y, 4), Oxide);
        }
    }
}

TEST_F(GlueSubstrateTest, DisplacementMovesTheTopWithinTheRoomLeft)
{
    const auto base = add(makeVolume(6, 5, 4, layers(0, 1, Si)));
    const auto top = add(makeVolume(2, 2, 4, layers(0, 1, Metal)));
    auto op = pickBoth(base, top);
    ASSERT_TRUE(op);
    EXPECT_EQ(op->layout().maxDisplacementX, 4u);
    EXPECT_EQ(op->layout().maxDisplacementY, 3u);
    op->setDisplacement(9, 9);
    EXPECT_EQ(op->placement().displacementX, 4u) << "the top never leaves the result";
    EXPECT_EQ(op->placement().displacementY, 3u);
    op->setFinalSize(1, 1, 1);
    EXPECT_EQ(op->placement().sizeX, 6u) << "never smaller than the stack";
    EXPECT_EQ(op->placement().sizeZ, 2u);
    context.cancelCurrentOperation();

    const auto glued = glue(base, top, 0, 3, 2);
    ASSERT_TRUE(glued);
    for (unsigned x = 0; x < 6; ++x)
        for (unsigned y = 0; y < 5; ++y) {
            EXPECT_EQ(cellOf(*glued, x, y, 0), Si);
            const bool underTop = x >= 3 && x < 5 && y >= 2 && y < 4;
            EXPECT_EQ(cellOf(*glued, x, y, 1), underTop ? Metal : 0u) << x << ", " << y;
        }
}

TEST_F(GlueSubstrateTest, EmptyVolumesAddNoHeight)
{
    // An empty top rests on nothing and adds nothing; an empty base lets
    // the top rest on the floor.
    const auto filled = add(makeVolume(2, 2, 5, layers(1, 3, Metal)));
    const auto empty = add(makeVolume(2, 2, 5, layers(0, 0, Si)));
    auto glued = glue(filled, empty, 0);
    ASSERT_TRUE(glued);
    EXPECT_EQ(glued->sizeZ(), 3u);
    EXPECT_EQ(cellOf(*glued, 1, 1, 2), Metal);
    ASSERT_TRUE(context.history().undo());

    glued = glue(empty, filled, 0);
    ASSERT_TRUE(glued);
    EXPECT_EQ(glued->sizeZ(), 2u);
    EXPECT_EQ(cellOf(*glued, 0, 0, 0), Metal);
    EXPECT_EQ(cellOf(*glued, 0, 0, 1), Metal);
    ASSERT_TRUE(context.history().undo());

    const auto otherEmpty = add(makeVolume(2, 2, 5, layers(0, 0, Si)));
    auto op = pickBoth(empty, otherEmpty);
    ASSERT_TRUE(op);
    EXPECT_EQ(op->layout().stackedHeight, 0u);
    EXPECT_EQ(op->layout().minimumHeight(), 1u) << "a result is at least one layer high";
}

TEST_F(GlueSubstrateTest, OneAndManyThreadsGiveTheSameCells)
{
    const Fill pattern = [](unsigned x, unsigned y, unsigned z) {
        return z < 3 + (x * 7 + y * 3) % 5 ? 1u + (x + 2 * y + z) % 4 : 0u;
    };
    std::vector<std::vector<std::uint32_t>> results;
    for (int threads : {1, 4}) {
        QThreadPool::globalInstance()->setMaxThreadCount(threads);
        const auto base = add(makeVolume(17, 6, 12, pattern));
        const auto top = add(makeVolume(11, 4, 9, pattern));
        const auto glued = glue(base, top, 3, 4, 1, true);
        ASSERT_TRUE(glued);
        results.push_back(glued->materials());
    }
    EXPECT_EQ(results[0], results[1]);
}

TEST_F(GlueSubstrateTest, UndoAndRedoSwapTheTwoVolumesAndTheGluedOne)
{
    const auto other = add(makeVolume(2, 2, 2, layers(0, 1, Si)));
    const auto base = add(makeVolume(4, 3, 6, layers(0, 2, Si)));
    const auto top = add(makeVolume(4, 3, 6, layers(0, 2, Oxide)));
    const auto baseCells = base->materials();
    const auto glued = glue(base, top, 0);
    ASSERT_TRUE(glued);
    using Objects = std::vector<boost::shared_ptr<Model::Object>>;
    EXPECT_EQ(context.document().allObjects(), (Objects{other, glued}));

    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(context.document().allObjects(), (Objects{other, base, top}));
    EXPECT_EQ(base->materials(), baseCells) << "gluing leaves the base's own cells alone";
    EXPECT_EQ(context.history().redoTitle(), "Glue Volumes");

    ASSERT_TRUE(context.history().redo());
    EXPECT_EQ(context.document().allObjects(), (Objects{other, glued}));
    EXPECT_EQ(glued->sizeZ(), 4u);
}

TEST_F(GlueSubstrateTest, EndBeforeBothArePickedCancelsSilently)
{
    const auto base = add(makeVolume(2, 2, 2, layers(0, 1, Si)));
    context.startOperation(GlueSubstrateId);
    pickAndEnter(base);
    const auto op = context.currentOperation();
    const std::size_t before = lines->lines.size();
    op->end();
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(lines->lines.size(), before);
    EXPECT_EQ(context.history().undoCount(), 0u);
    context.consoleInput().processLine("");
    EXPECT_EQ(lines->lines.size(), before) << "no request outlives the cancel";
}

TEST_F(GlueSubstrateTest, AResultTooLargeForMemoryIsRefusedAndChangesNothing)
{
    const auto base = add(makeVolume(4, 3, 6, layers(0, 2, Si)));
    const auto top = add(makeVolume(4, 3, 6, layers(0, 2, Oxide)));
    const auto op = pickBoth(base, top);
    ASSERT_TRUE(op);
    op->setFinalSize(999999999u, 999999999u, 999999999u);
    op->end();
    EXPECT_EQ(lines->lines.back().rfind("Glue Volumes: A cell volume of 999999999 x 999999999 x 999999999 cells", 0),
              0u)
        << lines->lines.back();
    EXPECT_FALSE(op->glued());
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(context.history().undoCount(), 0u);
    EXPECT_EQ(context.document().allObjects(), (std::vector<boost::shared_ptr<Model::Object>>{base, top}));
}
