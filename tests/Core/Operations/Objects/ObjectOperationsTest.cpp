// Move, copy, delete and the batch-run volume selection, driven as a user
// would: picks, console lines and Enter. Invariants: objects end exactly
// where the typed distance puts them; undo and redo swap between the two
// scenes without creating or losing objects; every message is exact.
#include "Core/Operations/Objects/CopyObject.h"
#include "Core/Operations/Objects/DeleteObject.h"
#include "Core/Operations/Objects/MoveObject.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Objects/SelectVolumesOperation.h"
#include "Model/Automaton/TotalVolume.h"
#include "RecordingOperation.h"

#include <gtest/gtest.h>

using namespace Core::Operations;
using Model::Automaton::TotalVolume;
using Lines = std::vector<std::string>;

namespace {

class ObjectOperationsTest : public ::testing::Test
{
protected:
    ObjectOperationsTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
    }

    boost::shared_ptr<TotalVolume> addVolume(double x)
    {
        auto volume = boost::make_shared<TotalVolume>(2, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(x, 0, 0),
                                                      std::vector<std::uint32_t>{1, 0});
        context.document().addObject(volume);
        return volume;
    }

    // A left click on an object in the view, with selection mode on.
    void click(const boost::shared_ptr<TotalVolume> &volume)
    {
        ASSERT_TRUE(context.selectionManager().mode()) << "picking needs selection mode";
        context.selectionManager().toggle({volume->id()});
    }

    void type(const std::string &line) { context.consoleInput().processLine(line); }

    OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
};

} // namespace

TEST_F(ObjectOperationsTest, MoveAsksForObjectsThenMovesByTheTypedDistance)
{
    const auto volume = addVolume(0);
    context.startOperation(MoveObjectId);
    EXPECT_EQ(lines->lines, Lines{"Move: Select the object(s) to be copied and press Enter/Return."});
    click(volume);
    type("");
    EXPECT_EQ(lines->lines.back(), "Move: Left click or enter the distance into the console (x, y, z):");
    EXPECT_TRUE(volume->isMoving());
    EXPECT_FALSE(context.selectionManager().mode());
    EXPECT_FALSE(volume->isSelected());

    type("1, 0, 0");
    EXPECT_EQ(lines->lines.back(), "Move: Object(s) moved");
    EXPECT_EQ(volume->position(), Util::Vector3D(1, 0, 0));
    EXPECT_FALSE(volume->isMoving());
    EXPECT_FALSE(context.currentOperation());

    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(volume->position(), Util::Vector3D(0, 0, 0));
    ASSERT_TRUE(context.history().redo());
    EXPECT_EQ(volume->position(), Util::Vector3D(1, 0, 0));
}

TEST_F(ObjectOperationsTest, MoveWithAPriorSelectionAsksForTheDistanceAtOnce)
{
    const auto volume = addVolume(0);
    context.selectionManager().setMode(true);
    click(volume);
    context.startOperation(MoveObjectId);
    EXPECT_EQ(lines->lines, Lines{"Move: Left click or enter the distance into the console (x, y, z):"});
    type("1 2 3");
    EXPECT_EQ(lines->lines.back(), "Console: Not understood: type three numbers, x, y, z.");
    type("-0.5, 2, 1e1");
    EXPECT_EQ(volume->position(), Util::Vector3D(-0.5, 2, 10));
}

TEST_F(ObjectOperationsTest, MoveKeepsWaitingForItsDistanceAfterLinesNobodyCanRead)
{
    const auto volume = addVolume(0);
    // A delete canceled before its Enter came leaves that Enter request
    // behind; the typed lines below must not be taken for it.
    context.startOperation(DeleteObjectId);
    context.cancelCurrentOperation();
    context.selectionManager().setMode(true);
    click(volume);
    context.startOperation(MoveObjectId);
    ASSERT_EQ(lines->lines.back(), "Move: Left click or enter the distance into the console (x, y, z):");

    for (const std::string line : {"(1e999, -5, x)", "1,2", "asdf"}) {
        const std::size_t before = lines->lines.size();
        type(line);
        EXPECT_EQ(lines->lines.size(), before + 1) << line;
        EXPECT_EQ(lines->lines.back(), "Console: Not understood: type three numbers, x, y, z.") << line;
        EXPECT_TRUE(volume->isMoving()) << line;
    }
    EXPECT_EQ(volume->position(), Util::Vector3D(0, 0, 0));

    type("2, 0, 1");
    EXPECT_EQ(lines->lines.back(), "Move: Object(s) moved");
    EXPECT_EQ(volume->position(), Util::Vector3D(2, 0, 1));
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(ObjectOperationsTest, CancelledMoveRestoresThePreviewAndStaysCurrent)
{
    const auto volume = addVolume(0);
    context.selectionManager().setMode(true);
    click(volume);
    context.startOperation(MoveObjectId);
    context.cancelCurrentOperation();
    EXPECT_EQ(lines->lines.back(), "Move: Operation canceled");
    EXPECT_FALSE(volume->isMoving());
    EXPECT_EQ(volume->position(), Util::Vector3D(0, 0, 0));
    EXPECT_TRUE(boost::dynamic_pointer_cast<MoveObject>(context.currentOperation()));
    type("1, 1, 1");
    EXPECT_EQ(volume->position(), Util::Vector3D(0, 0, 0)) << "no request survives the cancel";
    EXPECT_EQ(context.history().undoCount(), 0u);
}

TEST_F(ObjectOperationsTest, CopyLeavesSourcesAndAddsDisplacedClones)
{
    const auto first = addVolume(0);
    const auto second = addVolume(10);
    context.startOperation(CopyObjectId);
    EXPECT_EQ(lines->lines, Lines{"Copy: Select the object(s) to be copied and press Enter"});
    click(first);
    click(second);
    type("");
    EXPECT_EQ(lines->lines.back(), "Copy: Left click or enter the distance into the console (x, y, z):");
    type("0, 5, 0");
    EXPECT_EQ(lines->lines.back(), "Copy: Object(s) copied");

    const auto objects = context.document().allObjects();
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_EQ(first->position(), Util::Vector3D(0, 0, 0));
    EXPECT_EQ(second->position(), Util::Vector3D(10, 0, 0));
    const auto clone = boost::dynamic_pointer_cast<TotalVolume>(objects[2]);
    ASSERT_TRUE(clone);
    EXPECT_NE(clone->id(), first->id());
    EXPECT_EQ(clone->position(), Util::Vector3D(0, 5, 0));
    EXPECT_EQ(clone->materials(), first->materials());
    EXPECT_EQ(boost::dynamic_pointer_cast<TotalVolume>(objects[3])->position(), Util::Vector3D(10, 5, 0));

    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(context.document().allObjects(), (std::vector<boost::shared_ptr<Model::Object>>{first, second}));
    ASSERT_TRUE(context.history().redo());
    EXPECT_EQ(context.document().allObjects().size(), 4u);
}

TEST_F(ObjectOperationsTest, CopyCancelledWritesItsLine)
{
    addVolume(0);
    context.startOperation(CopyObjectId);
    context.cancelCurrentOperation();
    EXPECT_EQ(lines->lines.back(), "Copy: Operation canceled");
}

TEST_F(ObjectOperationsTest, DeleteWithAPriorSelectionDeletesAtOnce)
{
    const auto keep = addVolume(0);
    const auto gone = addVolume(10);
    context.selectionManager().setMode(true);
    click(gone);
    context.startOperation(DeleteObjectId);
    EXPECT_EQ(lines->lines, Lines{"Delete: objects deleted."});
    EXPECT_EQ(context.document().allObjects(), std::vector<boost::shared_ptr<Model::Object>>{keep});
    EXPECT_FALSE(context.selectionManager().mode());

    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(context.document().allObjects(), (std::vector<boost::shared_ptr<Model::Object>>{keep, gone}));
    ASSERT_TRUE(context.history().redo());
    EXPECT_EQ(context.document().allObjects(), std::vector<boost::shared_ptr<Model::Object>>{keep});
}

TEST_F(ObjectOperationsTest, DeleteAsksThenTakesThePicksOnEnter)
{
    const auto volume = addVolume(0);
    context.startOperation(DeleteObjectId);
    EXPECT_EQ(lines->lines, Lines{"Delete: Select the objects to be deleted and press Return/Enter"});
    EXPECT_TRUE(context.selectionManager().mode());
    click(volume);
    type("");
    EXPECT_EQ(lines->lines.back(), "Delete: objects deleted.");
    EXPECT_TRUE(context.document().allObjects().empty());
}

TEST_F(ObjectOperationsTest, DeleteCancelledOrEndedWithoutPicks)
{
    addVolume(0);
    context.startOperation(DeleteObjectId);
    context.cancelCurrentOperation();
    EXPECT_EQ(lines->lines.back(), "Delete: Operation canceled.");
    EXPECT_FALSE(context.currentOperation());

    context.startOperation(DeleteObjectId);
    context.currentOperation()->end();
    EXPECT_EQ(lines->lines.back(), "Delete: Operation canceled, no selected objects.");
    EXPECT_EQ(context.document().allObjects().size(), 1u);
}

TEST_F(ObjectOperationsTest, ClickingASelectedObjectAgainDeselectsIt)
{
    const auto volume = addVolume(0);
    context.startOperation(DeleteObjectId);
    click(volume);
    click(volume);
    EXPECT_FALSE(volume->isSelected());
    type("");
    EXPECT_EQ(lines->lines.back(), "Delete: Select the objects to be deleted and press Return/Enter");
    EXPECT_EQ(context.document().allObjects().size(), 1u);
}

TEST_F(ObjectOperationsTest, VolumeSelectionForABatchRun)
{
    std::vector<std::string> log;
    const auto volume = addVolume(0);
    context.startOperation(BatchRunId);
    auto selection = boost::dynamic_pointer_cast<SelectVolumesOperation>(context.currentOperation());
    ASSERT_TRUE(selection);
    selection->setObserver(boost::make_shared<TestSupport::LoggingObserver>("batch dialog", &log));
    const std::string prompt = "Select volumes: Select a cell volume and press Enter/Return. To start without a "
                               "cell volume type N and press Enter/Return.";
    EXPECT_EQ(lines->lines, Lines{prompt});

    type("maybe");
    EXPECT_EQ(lines->lines, (Lines{prompt, prompt}));
    click(volume);
    type("");
    EXPECT_EQ(lines->lines.back(), "Select volumes: Cell volume selected.");
    EXPECT_EQ(selection->selectedVolume(), volume);
    EXPECT_EQ(log, Lines{"batch dialog"});
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(context.history().undoCount(), 0u) << "a selection is not undoable";
}

TEST_F(ObjectOperationsTest, TypingNStartsTheBatchRunWithoutAVolume)
{
    std::vector<std::string> log;
    addVolume(0);
    context.startOperation(BatchRunId);
    auto selection = boost::dynamic_pointer_cast<SelectVolumesOperation>(context.currentOperation());
    selection->setObserver(boost::make_shared<TestSupport::LoggingObserver>("batch dialog", &log));
    type("no thanks");
    EXPECT_TRUE(selection->isDone());
    EXPECT_FALSE(selection->selectedVolume());
    EXPECT_EQ(log, Lines{"batch dialog"});
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(ObjectOperationsTest, ObserverSlotOfTheVolumeSelectionIsSharedByTheClass)
{
    std::vector<std::string> log;
    SelectVolumesOperation first(&context);
    first.setObserver(boost::make_shared<TestSupport::LoggingObserver>("first", &log));
    SelectVolumesOperation second(&context);
    second.setObserver(boost::make_shared<TestSupport::LoggingObserver>("second", &log));
    EXPECT_EQ(first.observer(), second.observer());
    first.setObserver({});
}
