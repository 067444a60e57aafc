// Cut planes of a cell volume: the operation hands the limits to the
// volume's view options and never touches the cells or the history.
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Volumes/CutCellVolumeOperation.h"
#include "Model/Automaton/TotalVolume.h"
#include "RecordingOperation.h"

#include <gtest/gtest.h>

using namespace Core::Operations;
using Model::Automaton::TotalVolume;
using Corner = CutCellVolumeOperation::Corner;
using Lines = std::vector<std::string>;

namespace {

class CutCellVolumeTest : public ::testing::Test
{
protected:
    CutCellVolumeTest()
        : lines(TestSupport::ConsoleLog::attach(context))
        , volume(boost::make_shared<TotalVolume>(4, 5, 6, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                 std::vector<std::uint32_t>(4 * 5 * 6, 1)))
    {
        context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
        context.addUpdateObserver(boost::make_shared<TestSupport::LoggingObserver>("update", &updates));
        context.document().addObject(volume);
    }

    boost::shared_ptr<CutCellVolumeOperation> start()
    {
        context.selectionManager().setMode(true);
        context.selectionManager().toggle({volume->id()});
        context.startOperation(CutCellVolumeId);
        return boost::dynamic_pointer_cast<CutCellVolumeOperation>(context.currentOperation());
    }

    OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
    std::vector<std::string> updates;
    boost::shared_ptr<TotalVolume> volume;
};

} // namespace

TEST_F(CutCellVolumeTest, LimitsAreTheVolumesDrawRangeOnceAVolumeIsChosen)
{
    context.startOperation(CutCellVolumeId);
    auto op = boost::dynamic_pointer_cast<CutCellVolumeOperation>(context.currentOperation());
    ASSERT_TRUE(op);
    EXPECT_EQ(lines->lines, Lines{"Change Cut Planes: Select a cell volume and press Enter/Return."});
    Corner lower, upper, size;
    EXPECT_FALSE(op->getCutPlanes(lower, upper, size));
    op->setCutPlanes({1, 1, 1}, {2, 2, 2}, true);
    EXPECT_EQ(volume->viewOptions().drawRange.upper, (Corner{4, 5, 6})) << "no volume, no limits";

    context.selectionManager().toggle({volume->id()});
    context.consoleInput().processLine("");
    EXPECT_EQ(lines->lines.back(), "Change Cut Planes: Cell volume selected.");
    ASSERT_TRUE(op->getCutPlanes(lower, upper, size));
    EXPECT_EQ(lower, (Corner{0, 0, 0}));
    EXPECT_EQ(upper, (Corner{4, 5, 6}));
    EXPECT_EQ(size, (Corner{4, 5, 6}));
}

TEST_F(CutCellVolumeTest, EndShowsTheLimitsAndLeavesNoHistory)
{
    const auto op = start();
    ASSERT_TRUE(op);
    const auto cells = volume->materials();
    const auto generation = volume->cellsGeneration();
    updates.clear();
    op->setCutPlanes({1, 0, 2}, {3, 5, 4}, false);
    EXPECT_TRUE(updates.empty()) << "not shown before the end";
    op->end();
    EXPECT_EQ(lines->lines.back(), "Change Cut Planes: Cut planes changed.");
    EXPECT_FALSE(updates.empty());
    EXPECT_EQ(volume->viewOptions().drawRange.lower, (Corner{1, 0, 2}));
    EXPECT_EQ(volume->viewOptions().drawRange.upper, (Corner{3, 5, 4}));
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(context.history().undoCount(), 0u);
    EXPECT_EQ(volume->materials(), cells);
    EXPECT_EQ(volume->cellsGeneration(), generation) << "cutting changes no cell";

    // A later cut starts from these limits.
    const auto again = start();
    ASSERT_TRUE(again);
    Corner lower, upper, size;
    ASSERT_TRUE(again->getCutPlanes(lower, upper, size));
    EXPECT_EQ(lower, (Corner{1, 0, 2}));
}

TEST_F(CutCellVolumeTest, AppliedLimitsShowAtOnceAndEndWithoutLimitsCancels)
{
    auto op = start();
    ASSERT_TRUE(op);
    updates.clear();
    op->setCutPlanes({0, 0, 0}, {2, 2, 2}, true);
    EXPECT_EQ(updates.size(), 1u);
    EXPECT_EQ(volume->viewOptions().drawRange.upper, (Corner{2, 2, 2}));
    context.cancelCurrentOperation();
    EXPECT_EQ(lines->lines.back(), "Change Cut Planes: Operation Canceled!");

    op = start();
    ASSERT_TRUE(op);
    op->end();
    EXPECT_EQ(lines->lines.back(), "Change Cut Planes: Operation Canceled!") << "nothing was set";
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(CutCellVolumeTest, OneObserverServesEveryCut)
{
    std::vector<std::string> log;
    auto first = context.operationFactory()->createOperation(CutCellVolumeId);
    first->setObserver(boost::make_shared<TestSupport::LoggingObserver>("first", &log));
    auto second = context.operationFactory()->createOperation(CutCellVolumeId);
    EXPECT_EQ(first->observer(), second->observer());
    second->setObserver(boost::make_shared<TestSupport::LoggingObserver>("second", &log));
    EXPECT_EQ(first->observer(), second->observer());
    start();
    EXPECT_EQ(log, std::vector<std::string>{"second"});
    first->setObserver({});
}
