// Invariants: a push empties the redo stack; undo moves an operation to the
// redo stack only when it reports that it undid something; observers hear
// of every change in a fixed order; the current operation is cancelled
// before any undo or redo touches the scene.
#include "Core/Operations/OperationHistory.h"
#include "RecordingOperation.h"

#include <gtest/gtest.h>

using Core::Operations::ObjectOperation;
using Core::Operations::OperationContext;
using Core::Operations::OperationHistory;
using TestSupport::LoggingObserver;
using TestSupport::RecordingOperation;

namespace {

class OperationHistoryTest : public ::testing::Test
{
protected:
    OperationHistoryTest() : history(context.history())
    {
        history.addUndoObserver(boost::make_shared<LoggingObserver>("undo-observer", &log));
        history.addRedoObserver(boost::make_shared<LoggingObserver>("redo-observer", &log));
    }

    boost::shared_ptr<RecordingOperation> operation(const std::string &name)
    {
        return boost::make_shared<RecordingOperation>(&context, name, &log);
    }

    std::vector<std::string> log;
    OperationContext context;
    OperationHistory &history;
};

using Log = std::vector<std::string>;

} // namespace

TEST_F(OperationHistoryTest, PushEmptiesRedoAndNotifiesUndoThenRedo)
{
    auto first = operation("First");
    history.push(first);
    EXPECT_EQ(log, (Log{"undo-observer", "redo-observer"}));
    history.undo();
    ASSERT_EQ(history.redoCount(), 1u);

    log.clear();
    history.push(operation("Second"));
    EXPECT_EQ(history.redoCount(), 0u);
    EXPECT_EQ(history.redoTitle(), "");
    EXPECT_EQ(history.undoTitle(), "Second");
    EXPECT_EQ(log, (Log{"undo-observer", "redo-observer"}));
}

TEST_F(OperationHistoryTest, UndoneOperationMovesToRedo)
{
    history.push(operation("Create Substrate"));
    log.clear();
    EXPECT_TRUE(history.undo());
    EXPECT_EQ(log, (Log{"Create Substrate.undo", "redo-observer", "undo-observer"}));
    EXPECT_EQ(history.undoTitle(), "");
    EXPECT_EQ(history.redoTitle(), "Create Substrate");
}

TEST_F(OperationHistoryTest, NothingUndoneStaysOnTheUndoStack)
{
    auto op = operation("Stubborn");
    op->undoResult = ObjectOperation::NothingUndone;
    history.push(op);
    log.clear();
    EXPECT_TRUE(history.undo());
    EXPECT_EQ(history.undoTop(), op);
    EXPECT_EQ(history.redoCount(), 0u);
    EXPECT_EQ(log, (Log{"Stubborn.undo", "undo-observer"}));
}

TEST_F(OperationHistoryTest, AnyOtherUndoResultDropsTheOperation)
{
    auto op = operation("Odd");
    op->undoResult = 7;
    history.push(op);
    history.undo();
    EXPECT_EQ(history.undoCount(), 0u);
    EXPECT_EQ(history.redoCount(), 0u);
}

TEST_F(OperationHistoryTest, RedoReturnsTheOperationToUndo)
{
    history.push(operation("Move Objects"));
    history.undo();
    log.clear();
    EXPECT_TRUE(history.redo());
    EXPECT_EQ(log, (Log{"Move Objects.redo", "undo-observer", "redo-observer"}));
    EXPECT_EQ(history.undoTitle(), "Move Objects");
    EXPECT_EQ(history.redoTitle(), "");
}

TEST_F(OperationHistoryTest, NothingRedoneStaysOnTheRedoStack)
{
    auto op = operation("Stubborn");
    op->redoResult = ObjectOperation::NothingRedone;
    history.push(op);
    history.undo();
    log.clear();
    EXPECT_TRUE(history.redo());
    EXPECT_EQ(history.redoTop(), op);
    EXPECT_EQ(history.undoCount(), 0u);
    EXPECT_EQ(log, (Log{"Stubborn.redo", "redo-observer"}));
}

TEST_F(OperationHistoryTest, EmptyStacksChangeNothing)
{
    log.clear();
    EXPECT_FALSE(history.undo());
    EXPECT_FALSE(history.redo());
    EXPECT_TRUE(log.empty());
}

TEST_F(OperationHistoryTest, UndoAndRedoCancelTheCurrentOperationFirst)
{
    auto factory = boost::make_shared<TestSupport::ScriptedFactory>();
    context.setOperationFactory(factory);
    history.push(operation("Done"));

    auto current = operation("Waiting");
    factory->prepared[13] = current;
    context.startOperation(13);
    log.clear();
    history.undo();
    EXPECT_EQ(log, (Log{"Waiting.cancel", "Done.undo", "redo-observer", "undo-observer"}));
    EXPECT_FALSE(context.currentOperation());

    context.startOperation(13);
    log.clear();
    history.redo();
    EXPECT_EQ(log, (Log{"Waiting.cancel", "Done.redo", "undo-observer", "redo-observer"}));
}

TEST_F(OperationHistoryTest, ClearEmptiesBothAndNotifiesRedoThenUndo)
{
    history.push(operation("A"));
    history.push(operation("B"));
    history.undo();
    log.clear();
    history.clear();
    EXPECT_EQ(history.undoCount(), 0u);
    EXPECT_EQ(history.redoCount(), 0u);
    EXPECT_EQ(log, (Log{"redo-observer", "undo-observer"}));
}

TEST_F(OperationHistoryTest, ObserversAreNotifiedInAttachmentOrder)
{
    history.addUndoObserver(boost::make_shared<LoggingObserver>("second-undo-observer", &log));
    log.clear();
    history.push(operation("A"));
    EXPECT_EQ(log, (Log{"undo-observer", "second-undo-observer", "redo-observer"}));
}

// The saved state: a fresh or just-saved document has no unsaved changes;
// every push moves away from it; undo and redo move away and back; once the
// operations above it are replaced by a new push, nothing leads back; a
// dropped operation leaves the document in no known state; clearing the
// history does not change the document and so keeps the answer.
TEST_F(OperationHistoryTest, UnsavedChangesFollowTheSavedStateThroughUndoAndRedo)
{
    EXPECT_FALSE(context.hasUnsavedChanges()) << "a new document";
    history.push(operation("A"));
    EXPECT_TRUE(context.hasUnsavedChanges());
    history.markSaved();
    EXPECT_FALSE(context.hasUnsavedChanges());

    history.push(operation("B"));
    EXPECT_TRUE(context.hasUnsavedChanges());
    history.undo();
    EXPECT_FALSE(context.hasUnsavedChanges()) << "back at the saved state";
    history.undo();
    EXPECT_TRUE(context.hasUnsavedChanges()) << "before the saved state";
    history.redo();
    EXPECT_FALSE(context.hasUnsavedChanges());

    history.undo();
    history.push(operation("C"));
    EXPECT_TRUE(context.hasUnsavedChanges());
    history.undo();
    EXPECT_TRUE(context.hasUnsavedChanges()) << "the saved state went with A";
    history.clear();
    EXPECT_TRUE(context.hasUnsavedChanges()) << "clearing the history changes no cell";

    history.markSaved();
    history.clear();
    EXPECT_FALSE(context.hasUnsavedChanges());

    auto odd = operation("Odd");
    odd->undoResult = 7;
    history.push(odd);
    history.markSaved();
    history.undo();
    EXPECT_TRUE(context.hasUnsavedChanges()) << "a dropped operation";
}

TEST_F(OperationHistoryTest, SavedStateObserversHearOfEveryMove)
{
    history.addSavedStateObserver(boost::make_shared<LoggingObserver>("saved-state-observer", &log));
    history.push(operation("A"));
    history.markSaved();
    history.undo();
    history.redo();
    history.clear();
    EXPECT_EQ(std::count(log.begin(), log.end(), "saved-state-observer"), 5);
    EXPECT_EQ(log.back(), "saved-state-observer") << "after the undo and redo observers";
}
