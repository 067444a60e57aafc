#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"
#include "RecordingOperation.h"

#include <gtest/gtest.h>

using Core::Operations::Operation;
using Core::Operations::OperationContext;
using TestSupport::ConsoleLog;
using TestSupport::LoggingObserver;
using TestSupport::RecordingOperation;
using TestSupport::ScriptedFactory;

namespace {

// An operation that cannot be undone (save, open, cut, ...).
class PlainOperation : public Operation
{
public:
    PlainOperation(OperationContext *context, const std::string &title) : Operation(context, title, 9) {}
    void execute() override { postMessage("Select a cell volume and press Enter/Return."); }
    void cancel() override { cancelExclaimed(); }
    void end() override { context()->endOperation(); }
};

boost::shared_ptr<Model::Automaton::TotalVolume> volume()
{
    return boost::make_shared<Model::Automaton::TotalVolume>(1, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                             std::vector<std::uint32_t>{1});
}

class OperationContextTest : public ::testing::Test
{
protected:
    OperationContextTest()
        : factory(boost::make_shared<ScriptedFactory>())
        , lines(ConsoleLog::attach(context))
    {
        context.setOperationFactory(factory);
        context.addUpdateObserver(boost::make_shared<LoggingObserver>("update", &log));
    }

    boost::shared_ptr<RecordingOperation> prepare(unsigned id, const std::string &title)
    {
        auto op = boost::make_shared<RecordingOperation>(&context, title, &log, int(id));
        op->onExecute = [](RecordingOperation &self) { self.postMessage("Select a cell volume and press Enter/Return."); };
        factory->prepared[id] = op;
        return op;
    }

    // Puts an object of the document into the selection, as a pick would.
    boost::shared_ptr<Model::Object> selectOne()
    {
        auto object = volume();
        context.document().addObject(object);
        context.selectionManager().toggle({object->id()});
        return object;
    }

    std::vector<std::string> log;
    OperationContext context;
    boost::shared_ptr<ScriptedFactory> factory;
    boost::shared_ptr<ConsoleLog> lines;
};

using Log = std::vector<std::string>;

} // namespace

TEST_F(OperationContextTest, StartingAnOperationCancelsTheCurrentOneFirst)
{
    prepare(13, "Isotropic Deposition");
    prepare(14, "Isotropic Etching");
    context.startOperation(13);
    context.startOperation(14);
    EXPECT_EQ(lines->lines, (Log{
        "Isotropic Deposition: Select a cell volume and press Enter/Return.",
        "Isotropic Deposition: Operation canceled.",
        "Isotropic Etching: Select a cell volume and press Enter/Return.",
    }));
    EXPECT_EQ(context.currentOperation()->title(), "Isotropic Etching");
}

TEST_F(OperationContextTest, UnknownIdLeavesNothingCurrent)
{
    prepare(13, "Isotropic Deposition");
    context.startOperation(13);
    context.startOperation(5);
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(factory->requested, (std::vector<unsigned>{13, 5}));
    EXPECT_EQ(lines->lines.back(), "Isotropic Deposition: Operation canceled.");
}

TEST_F(OperationContextTest, EndingRecordsOnlyUndoableOperations)
{
    auto undoable = prepare(2, "Create Substrate");
    context.startOperation(2);
    context.endOperation();
    EXPECT_EQ(context.history().undoTop(), undoable);
    EXPECT_FALSE(context.currentOperation());

    auto plain = boost::make_shared<PlainOperation>(&context, "Save");
    factory->prepared[9] = plain;
    context.startOperation(9);
    plain->end();
    EXPECT_EQ(context.history().undoCount(), 1u);
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(OperationContextTest, EndAndAbandonClearTheSelectionAndRefresh)
{
    prepare(7, "Move Objects");
    for (bool record : {true, false}) {
        context.startOperation(7);
        const auto picked = selectOne();
        ASSERT_TRUE(picked->isSelected());
        log.clear();
        if (record)
            context.endOperation();
        else
            context.abandonOperation();
        EXPECT_FALSE(picked->isSelected());
        EXPECT_TRUE(context.selectionManager().selectedObjects().empty());
        EXPECT_TRUE(context.pickInput().selectedObjects().empty());
        EXPECT_EQ(log, Log{"update"});
    }
    EXPECT_EQ(context.history().undoCount(), 1u);
}

TEST_F(OperationContextTest, EscapeWithNothingCurrentOnlyClearsSelectionAndRefreshes)
{
    const auto picked = selectOne();
    log.clear();
    context.cancelCurrentOperation();
    EXPECT_FALSE(picked->isSelected());
    EXPECT_EQ(log, Log{"update"});
    EXPECT_TRUE(lines->lines.empty());
}

TEST_F(OperationContextTest, EscapeCancelsTheCurrentOperation)
{
    prepare(13, "Isotropic Deposition");
    context.startOperation(13);
    log.clear();
    context.cancelCurrentOperation();
    EXPECT_EQ(log, (Log{"Isotropic Deposition.cancel", "update", "update"}));
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(lines->lines.back(), "Isotropic Deposition: Operation canceled.");
}

TEST_F(OperationContextTest, CancelVariantsSayTheirLineResetInputAndAbandon)
{
    struct Case { void (RecordingOperation::*cancel)(); const char *line; };
    const Case cases[] = {
        {&RecordingOperation::cancelCanceled, "Cut: Operation canceled."},
        {&RecordingOperation::cancelExclaimed, "Cut: Operation Canceled!"},
        {&RecordingOperation::cancelSilently, nullptr},
    };
    for (const Case &c : cases) {
        auto op = prepare(16, "Cut");
        op->onExecute = [this](RecordingOperation &self) { context.consoleInput().requestEnter(&self); };
        op->onCancel = [c](RecordingOperation &self) { (self.*c.cancel)(); };
        context.startOperation(16);
        lines->lines.clear();
        context.cancelCurrentOperation();
        EXPECT_EQ(lines->lines, c.line ? Log{c.line} : Log{});
        EXPECT_EQ(context.consoleInput().requester(), nullptr);
        EXPECT_FALSE(context.currentOperation());
        EXPECT_EQ(context.history().undoCount(), 0u);
    }
}

TEST_F(OperationContextTest, NewDocumentDropsEverything)
{
    auto done = prepare(2, "Create Substrate");
    context.startOperation(2);
    context.endOperation();
    auto waiting = prepare(13, "Isotropic Deposition");
    waiting->onExecute = [this](RecordingOperation &self) { context.consoleInput().requestEnter(&self); };
    context.startOperation(13);
    selectOne();
    context.document().setFileName("/tmp/old.cvx");
    context.pickInput().requestPick(waiting.get());
    context.processRecords().setLastOperation(3, 13);
    context.processRecords().setSiLatticeStale(3, false);

    ASSERT_TRUE(context.hasUnsavedChanges());
    log.clear();
    context.newDocument();

    EXPECT_FALSE(context.hasUnsavedChanges()) << "an empty new document has nothing to save";
    EXPECT_EQ(log.front(), "Isotropic Deposition.cancel");
    EXPECT_EQ(log.back(), "update");
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(context.history().undoCount(), 0u);
    EXPECT_EQ(context.consoleInput().requester(), nullptr);
    EXPECT_EQ(context.pickInput().pickRequester(), nullptr);
    EXPECT_TRUE(context.document().allObjects().empty());
    EXPECT_TRUE(context.document().fileName().isEmpty());
    EXPECT_TRUE(context.selectionManager().selectedObjects().empty());
    EXPECT_EQ(context.processRecords().lastOperation(3), -1);
    EXPECT_FALSE(context.processRecords().hasSiLatticeRecord(3));
}

TEST_F(OperationContextTest, ContextGoesAwayWithOperationsStillWaiting)
{
    auto context = std::make_unique<OperationContext>();
    auto factory = boost::make_shared<ScriptedFactory>();
    context->setOperationFactory(factory);
    {
        auto done = boost::make_shared<RecordingOperation>(context.get(), "Done", nullptr);
        context->history().push(done);
        auto waiting = boost::make_shared<RecordingOperation>(context.get(), "Waiting", nullptr);
        OperationContext *raw = context.get();
        waiting->onExecute = [raw](RecordingOperation &self) { raw->consoleInput().requestEnter(&self); };
        factory->prepared[1] = waiting;
        context->startOperation(1);
        factory->prepared.clear();
    }
    factory.reset();
    context.reset(); // must not touch a released console input or operation
    SUCCEED();
}

TEST_F(OperationContextTest, OperationIdsMatchTheActions)
{
    using namespace Core::Operations;
    EXPECT_EQ(CopyObjectId, 1u);
    EXPECT_EQ(IsotropicDepositionId, 13u);
    EXPECT_EQ(AnisotropicDepositionId, 27u);
    EXPECT_EQ(BatchRunId, 24u);
    EXPECT_EQ(ModelExtractionId, 1000u);
}
