#include "Core/Operations/ConsoleInput.h"
#include "Core/Operations/OperationContext.h"
#include "UI/Console/CommandConsole.h"

#include "RecordingOperation.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

using Ui::Console::CommandConsole;

namespace {

class CommandConsoleTest : public ::testing::Test
{
protected:
    CommandConsoleTest() : console(nullptr, &context.consoleInput()) {}

    void enter(const QString &text)
    {
        console.commandLine()->setText(text);
        console.enterPressed();
    }

    QString field() const { return console.commandLine()->text(); }
    QString log() const { return console.log()->toPlainText(); }

    Core::Operations::OperationContext context;
    CommandConsole console;
};

} // namespace

TEST_F(CommandConsoleTest, FormIsAToolWindowWithLogAndCommandLine)
{
    EXPECT_EQ(console.windowTitle(), "Console");
    EXPECT_TRUE(console.windowFlags() & Qt::Tool);
    EXPECT_EQ(console.size(), QSize(400, 140));
    auto *layoutWidget = console.findChild<QWidget *>("verticalLayoutWidget");
    ASSERT_TRUE(layoutWidget);
    EXPECT_EQ(layoutWidget->geometry(), QRect(10, 10, 381, 121));
    auto *log = console.findChild<QPlainTextEdit *>("plainTextEdit");
    ASSERT_TRUE(log);
    EXPECT_TRUE(log->isReadOnly());
    EXPECT_EQ(log->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(console.findChild<QLineEdit *>("linCommand"));
}

TEST_F(CommandConsoleTest, HistoryRecallsNewestFirstAndStopsAtBothEnds)
{
    enter("a");
    enter("b");
    enter("c");
    const QStringList upAndDown[] = {{"c", "b", "a", "a"}, {"a", "b", ""}};
    for (const QString &expected : upAndDown[0]) {
        console.upArrowPressed();
        EXPECT_EQ(field(), expected);
    }
    for (const QString &expected : upAndDown[1]) {
        console.downArrowPressed();
        EXPECT_EQ(field(), expected);
    }
    console.upArrowPressed();
    EXPECT_EQ(field(), "c") << "the cursor stayed on the newest entry";
}

TEST_F(CommandConsoleTest, DownOnAnEmptyHistoryClearsTheField)
{
    console.commandLine()->setText("half typed");
    console.downArrowPressed();
    EXPECT_EQ(field(), "");
    console.upArrowPressed();
    EXPECT_EQ(field(), "");
}

TEST_F(CommandConsoleTest, EmptyEnterReachesTheWaitingOperationOnly)
{
    std::vector<std::string> calls;
    auto op = boost::make_shared<TestSupport::RecordingOperation>(&context, "Delete", &calls);
    context.consoleInput().requestEnter(op.get());
    enter("");
    EXPECT_EQ(calls, std::vector<std::string>{"Delete.execute"});
    EXPECT_TRUE(console.history().isEmpty());
    EXPECT_EQ(log(), "");
}

TEST_F(CommandConsoleTest, TypedLinesAndMessagesInterleaveInOrder)
{
    std::vector<std::string> calls;
    auto op = boost::make_shared<TestSupport::RecordingOperation>(&context, "Move", &calls);
    Util::Vector4D destination;
    context.consoleInput().postMessage("Move: Left click or enter the distance into the console (x, y, z):");
    context.consoleInput().requestCoordinates(op.get(), &destination, nullptr);
    enter("1 2 3");
    context.consoleInput().postMessage("");
    EXPECT_EQ(log(), "Move: Left click or enter the distance into the console (x, y, z):\n"
                     "1 2 3\n"
                     "Console: Not understood: type three numbers, x, y, z.");
    EXPECT_EQ(field(), "");
}

TEST_F(CommandConsoleTest, NonAsciiLinesReachTheOperationAsUtf8)
{
    std::vector<std::string> calls;
    auto op = boost::make_shared<TestSupport::RecordingOperation>(&context, "Name", &calls);
    std::string text;
    context.consoleInput().requestText(op.get(), &text);
    enter(QString::fromUtf8("Ünïcode ✓"));
    EXPECT_EQ(text, "Ünïcode ✓");
    context.consoleInput().postMessage("Réponse ✓");
    EXPECT_TRUE(log().endsWith(QString::fromUtf8("Réponse ✓")));
}

TEST_F(CommandConsoleTest, LineNobodyWaitsForIsAnsweredWithAHint)
{
    const QString hint = "Console: No operation is waiting for input. Start one from the menus first.";
    enter("1, 2, 3");
    EXPECT_EQ(log(), "1, 2, 3\n" + hint);
    enter("");
    EXPECT_EQ(log(), "1, 2, 3\n" + hint) << "a plain Enter asks for nothing";

    std::vector<std::string> calls;
    auto op = boost::make_shared<TestSupport::RecordingOperation>(&context, "Name", &calls);
    std::string text;
    context.consoleInput().requestText(op.get(), &text);
    enter("answer");
    EXPECT_EQ(text, "answer");
    EXPECT_EQ(log(), "1, 2, 3\n" + hint + "\nanswer") << "an answered line gets no hint";
}
