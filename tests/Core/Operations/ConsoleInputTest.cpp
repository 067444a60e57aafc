#include "Core/Operations/ConsoleInput.h"
#include "RecordingOperation.h"

#include <gtest/gtest.h>

#include <random>

using Core::Operations::ConsoleInput;
using Core::Operations::OperationContext;
using TestSupport::ConsoleLog;
using TestSupport::RecordingOperation;
using Util::Vector4D;

namespace {

class ConsoleInputTest : public ::testing::Test
{
protected:
    ConsoleInputTest() : console(context.consoleInput()), lines(ConsoleLog::attach(context)) {}

    boost::shared_ptr<RecordingOperation> operation(const std::string &name)
    {
        return boost::make_shared<RecordingOperation>(&context, name, &calls);
    }

    const std::string notUnderstood = ConsoleInput::CoordinatesNotUnderstood;
    OperationContext context;
    ConsoleInput &console;
    boost::shared_ptr<ConsoleLog> lines;
    std::vector<std::string> calls;
};

} // namespace

TEST_F(ConsoleInputTest, CoordinateLinesInTheirAcceptedForms)
{
    for (const std::string line : {"1, 2, 3", "1,2,3", "  1 ,2 , 3 trailing", "-1.5e1, +2, .5"}) {
        Vector4D v(9, 9, 9, 9);
        ASSERT_TRUE(ConsoleInput::parseCoordinates(line, v)) << line;
        if (line[0] == '-') {
            EXPECT_EQ(v, Vector4D(-15, 2, 0.5, 9));
        } else {
            EXPECT_EQ(v, Vector4D(1, 2, 3, 9)) << line;
        }
    }
}

TEST_F(ConsoleInputTest, MalformedCoordinateLinesAreRejected)
{
    for (const std::string line : {"1 2 3", "1, 2", "(1, 2, 3)", "x, y, z", ",,", "1,,2,3"}) {
        Vector4D v;
        EXPECT_FALSE(ConsoleInput::parseCoordinates(line, v)) << line;
    }
}

TEST_F(ConsoleInputTest, InvalidCoordinatesKeepTheRequestPendingUntilAValidLine)
{
    auto op = operation("Move");
    Vector4D destination;
    bool done = true;
    console.requestCoordinates(op.get(), &destination, &done);
    EXPECT_FALSE(done);

    console.processLine("5, 6");
    EXPECT_EQ(lines->lines, std::vector<std::string>{notUnderstood});
    // Read straight into the destination: what was read before the failure stays.
    EXPECT_EQ(destination.x, 5);
    EXPECT_EQ(destination.y, 6);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(console.requester(), op.get());

    console.processLine("1, 2, 3");
    EXPECT_EQ(destination, Vector4D(1, 2, 3, 0));
    EXPECT_TRUE(done);
    EXPECT_EQ(calls, std::vector<std::string>{"Move.execute"});
    EXPECT_EQ(console.requester(), nullptr);
    EXPECT_EQ(console.requestKind(), ConsoleInput::RequestKind::None);
}

TEST_F(ConsoleInputTest, EnterIsDeliveredOnceAndOnlyWhileAccepted)
{
    auto op = operation("Delete");
    console.requestEnter(op.get());
    EXPECT_TRUE(console.acceptsEnter());

    console.processLine("");
    EXPECT_EQ(calls, std::vector<std::string>{"Delete.execute"});
    EXPECT_FALSE(console.acceptsEnter());
    EXPECT_EQ(console.requester(), nullptr);

    console.processLine("");
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(ConsoleInputTest, EmptyLineWhileOnlyCoordinatesAreAwaitedIsIgnored)
{
    auto op = operation("Move");
    Vector4D destination;
    console.requestCoordinates(op.get(), &destination, nullptr);
    console.processLine("");
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(lines->lines.empty());
    EXPECT_EQ(console.requester(), op.get());
}

TEST_F(ConsoleInputTest, UnreadableCoordinatesAreAnsweredAndNeverCountAsEnter)
{
    auto op = operation("Move");
    Vector4D destination;
    bool done = false;
    // An Enter request still raised, as one left by an operation canceled
    // before its Enter came, must not swallow the typed line.
    console.requestEnter(op.get());
    console.requestCoordinates(op.get(), &destination, &done);
    const std::vector<std::string> unreadable = {"(1e999, -5, x)", "1,2", "asdf", "not a number"};
    for (const std::string &line : unreadable) {
        console.processLine(line);
        EXPECT_EQ(lines->lines.back(), notUnderstood) << line;
        EXPECT_EQ(console.requester(), op.get()) << line;
        EXPECT_EQ(console.requestKind(), ConsoleInput::RequestKind::Coordinates) << line;
    }
    EXPECT_EQ(lines->lines.size(), unreadable.size());
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(done);
    EXPECT_TRUE(console.acceptsEnter());

    console.processLine("1, -5, 2");
    EXPECT_EQ(destination, Vector4D(1, -5, 2, 0));
    EXPECT_TRUE(done);
    EXPECT_EQ(calls, std::vector<std::string>{"Move.execute"});
}

TEST_F(ConsoleInputTest, AnEmptyLineStillCountsAsEnterWhileCoordinatesAreAwaited)
{
    auto op = operation("Move");
    Vector4D destination;
    console.requestEnter(op.get());
    console.requestCoordinates(op.get(), &destination, nullptr);
    console.processLine("");
    EXPECT_TRUE(lines->lines.empty());
    EXPECT_EQ(calls, std::vector<std::string>{"Move.execute"});
    EXPECT_FALSE(console.acceptsEnter());
}

TEST_F(ConsoleInputTest, TextRequestTakesAnyNonEmptyLineVerbatim)
{
    auto op = operation("Select volumes");
    std::string answer;
    console.requestText(op.get(), &answer);
    console.processLine("  N, or anything (1, 2) \t");
    EXPECT_EQ(answer, "  N, or anything (1, 2) \t");
    EXPECT_EQ(calls, std::vector<std::string>{"Select volumes.execute"});
    EXPECT_EQ(console.requestKind(), ConsoleInput::RequestKind::None);
}

TEST_F(ConsoleInputTest, LinesWithNobodyWaitingAreIgnoredSilently)
{
    console.processLine("1, 2, 3");
    console.processLine("");
    EXPECT_TRUE(lines->lines.empty());
}

TEST_F(ConsoleInputTest, RequesterIsClearedBeforeItsExecuteRuns)
{
    auto op = operation("Move");
    Vector4D destination;
    int executions = 0;
    op->onExecute = [&](RecordingOperation &self) {
        ++executions;
        EXPECT_EQ(console.requester(), nullptr);
        // Waiting again from inside execute() is how operations chain inputs.
        if (executions == 1)
            console.requestCoordinates(&self, &destination, nullptr);
    };
    console.requestEnter(op.get());
    console.processLine("");
    EXPECT_EQ(console.requester(), op.get());
    console.processLine("4, 5, 6");
    EXPECT_EQ(executions, 2);
    EXPECT_EQ(destination, Vector4D(4, 5, 6, 0));
}

TEST_F(ConsoleInputTest, RegisteringWhileAnotherWaitsEndsTheOtherFirst)
{
    auto first = operation("First");
    auto second = operation("Second");
    std::string text;
    Vector4D destination;

    console.requestEnter(first.get());
    console.requestText(second.get(), &text);
    EXPECT_EQ(calls, std::vector<std::string>{"First.end"});

    console.requestCoordinates(first.get(), &destination, nullptr);
    EXPECT_EQ(calls, (std::vector<std::string>{"First.end", "Second.end"}));

    // The same operation registering again ends nobody.
    console.requestEnter(first.get());
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(ConsoleInputTest, EmptyMessagesNotifyNobody)
{
    console.postMessage("");
    EXPECT_TRUE(lines->lines.empty());
    console.postMessage("Create Substrate: substrate created successfully.");
    EXPECT_EQ(lines->lines, std::vector<std::string>{"Create Substrate: substrate created successfully."});
    EXPECT_EQ(console.message(), "Create Substrate: substrate created successfully.");
}

TEST_F(ConsoleInputTest, AnOperationThatGoesAwayLeavesNoRequestBehind)
{
    {
        // The destination lives in the operation's scope, as a field would.
        auto op = operation("Gone");
        auto destination = std::make_unique<Vector4D>();
        console.requestEnter(op.get());
        console.requestCoordinates(op.get(), destination.get(), nullptr);
    }
    EXPECT_EQ(console.requester(), nullptr);
    console.processLine("1, 2, 3");
    console.processLine("");
    EXPECT_TRUE(calls.empty());
}

TEST_F(ConsoleInputTest, DestinationsOfAFormerRequesterAreNeverWritten)
{
    auto mover = operation("Move");
    auto other = operation("Other");
    Vector4D destination(7, 7, 7, 7);
    mover->onEnd = [](RecordingOperation &) {}; // ends without resetting the console
    console.requestCoordinates(mover.get(), &destination, nullptr);
    console.requestEnter(other.get());

    console.processLine("1, 2, 3");
    EXPECT_EQ(destination, Vector4D(7, 7, 7, 7));
    EXPECT_EQ(calls, (std::vector<std::string>{"Move.end", "Other.execute"}));
}

TEST_F(ConsoleInputTest, OperationThatEndsItselfDuringDeliveryStaysValidForTheCall)
{
    auto factory = boost::make_shared<TestSupport::ScriptedFactory>();
    context.setOperationFactory(factory);
    {
        auto op = operation("Self-ending");
        op->onExecute = [this, executions = 0](RecordingOperation &self) mutable {
            if (++executions == 1) {
                context.consoleInput().requestEnter(&self);
                return;
            }
            context.abandonOperation(); // drops the only reference the context held
            self.postMessage("still here.");
        };
        factory->prepared[1] = op;
        context.startOperation(1);
        factory->prepared.clear();
    }
    console.processLine("");
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(lines->lines, std::vector<std::string>{"Self-ending: still here."});
}

TEST_F(ConsoleInputTest, HostileLinesNeverCrash)
{
    auto op = operation("Move");
    Vector4D destination;
    bool done = false;

    const std::vector<std::string> hostile = {
        std::string(1 << 20, '7'),
        std::string(1 << 20, ','),
        "nan, nan, nan",
        "1e999, 2, 3",
        "inf, 0, 0",
        "\xff\xfe\x80, \xc3\x28, 1",
        "1" + std::string(200, ' ') + ", 2, 3",
    };
    for (const std::string &line : hostile) {
        console.requestCoordinates(op.get(), &destination, &done);
        console.processLine(line);
    }
    // None of these forms is three plain numbers separated by commas.
    EXPECT_FALSE(done);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(lines->lines.size(), hostile.size());

    std::mt19937 random(12345);
    std::string noise(4096, '\0');
    for (int round = 0; round < 200; ++round) {
        for (char &c : noise)
            c = char(random() & 0xff);
        console.requestCoordinates(op.get(), &destination, &done);
        console.processLine(noise);
    }
}
