// Saving and opening documents through the operations, with the window's
// dialogs replaced by scripted answers.
#include "Core/Operations/DocumentFiles.h"
#include "Core/Operations/IDocumentDialogs.h"
#include "Core/Operations/OpenDocumentOperation.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/SaveDocumentOperation.h"
#include "Model/Automaton/TotalVolume.h"
#include "RecordingOperation.h"
#include "FileSizeLimit.h"
#include "TempFolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Core::Operations;
using TestSupport::TempFolder;

namespace {

class ScriptedDialogs : public IDocumentDialogs
{
public:
    QString chooseSaveLocation() override
    {
        ++saveQuestions;
        return saveAnswer;
    }
    QString chooseDocumentToOpen(const QString &start) override
    {
        openStarts.push_back(start);
        return openAnswer;
    }
    void showError(const QString &title, const QString &text) override { errors.push_back(title + ": " + text); }

    QString saveAnswer;
    QString openAnswer;
    int saveQuestions = 0;
    QStringList openStarts;
    QStringList errors;
};

class DocumentOperationsTest : public ::testing::Test
{
protected:
    DocumentOperationsTest() : dialogs(boost::make_shared<ScriptedDialogs>())
    {
        context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
        context.setDocumentDialogs(dialogs);
        std::vector<std::uint32_t> m(6 * 5 * 4);
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = i % 4 < 2 ? 1u : 0u;
        volume = boost::make_shared<Model::Automaton::TotalVolume>(6, 5, 4, 1.0f, 1.0f, 1.0f, Util::Vector3D(1, 2, 3), m);
        context.document().addObject(volume);
    }

    TempFolder temp;
    OperationContext context;
    boost::shared_ptr<ScriptedDialogs> dialogs;
    boost::shared_ptr<Model::Automaton::TotalVolume> volume;
};

} // namespace

TEST_F(DocumentOperationsTest, SaveAsksOnceThenWritesSilently)
{
    std::vector<std::string> saved;
    const QString path = temp.file("first.cvx");
    dialogs->saveAnswer = path;
    context.startOperation(SaveDocumentId);
    EXPECT_EQ(dialogs->saveQuestions, 1);
    EXPECT_EQ(context.document().fileName(), path);
    ASSERT_TRUE(QFileInfo::exists(path));

    volume->moveBy(Util::Vector3D(1, 0, 0));
    context.startOperation(SaveDocumentId);
    EXPECT_EQ(dialogs->saveQuestions, 1) << "the second save does not ask";
    EXPECT_TRUE(TempFolder::read(path).contains("pos-x=\"2\""));
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(context.history().undoCount(), 0u);
    EXPECT_TRUE(dialogs->errors.isEmpty());
}

TEST_F(DocumentOperationsTest, DismissedSaveDialogsChangeNothing)
{
    context.startOperation(SaveDocumentId);
    EXPECT_TRUE(context.document().fileName().isEmpty());
    context.document().setFileName(temp.file("kept.cvx"));
    context.startOperation(SaveDocumentAsId);
    EXPECT_EQ(dialogs->saveQuestions, 2);
    EXPECT_EQ(context.document().fileName(), temp.file("kept.cvx"));
    EXPECT_FALSE(QFileInfo::exists(temp.file("kept.cvx")));
}

TEST_F(DocumentOperationsTest, SaveAsMovesTheDocumentToTheNewFile)
{
    dialogs->saveAnswer = temp.file("copy.cvx");
    context.document().setFileName(temp.file("old.cvx"));
    context.startOperation(SaveDocumentAsId);
    EXPECT_EQ(context.document().fileName(), temp.file("copy.cvx"));
    EXPECT_TRUE(QFileInfo::exists(temp.file("copy.cvx")));
}

TEST_F(DocumentOperationsTest, FailedSaveLeavesTheOldFileByteForByte)
{
    const QString path = temp.file("precious.cvx");
    const QByteArray old = "the user's previous document";
    ASSERT_TRUE(TempFolder::write(path, old));
    context.document().setFileName(path);

    {
        // The disk fills up a few hundred bytes into the new file.
        TestSupport::FileSizeLimit full(512);
        context.startOperation(SaveDocumentId);
    }

    EXPECT_EQ(TempFolder::read(path), old);
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors[0].startsWith("Error writing to file: Unable to save document to the specified file."));
    EXPECT_TRUE(dialogs->errors[0].contains(path));
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList{"precious.cvx"}) << "no temporary left behind";
}

TEST_F(DocumentOperationsTest, UnwritableLocationIsReported)
{
    const QString path = temp.file("no/such/folder/file.cvx");
    dialogs->saveAnswer = path;
    context.startOperation(SaveDocumentId);
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors[0].contains(path));
    EXPECT_TRUE(context.document().fileName().isEmpty());
}

TEST_F(DocumentOperationsTest, OpeningReadsIntoTheGivenContext)
{
    const QString path = temp.file("doc.cvx");
    ASSERT_TRUE(DocumentFiles::save(path, context).ok);
    OperationContext other;
    const DocumentFiles::Result result = DocumentFiles::open(path, other);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(other.document().fileName(), path);
    ASSERT_EQ(other.document().allObjects().size(), 1u);
    auto copy = boost::dynamic_pointer_cast<Model::Automaton::TotalVolume>(other.document().allObjects()[0]);
    EXPECT_NE(copy, volume);
    EXPECT_EQ(copy->materials(), volume->materials());
    EXPECT_EQ(copy->position(), volume->position());
}

TEST_F(DocumentOperationsTest, UnreadableAndForeignFilesAreReportedAndKept)
{
    OperationContext other;
    DocumentFiles::Result missing = DocumentFiles::open(temp.file("missing.cvx"), other);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.errorTitle, "Error reading from file");
    EXPECT_TRUE(missing.errorText.contains(temp.file("missing.cvx")));

    const QString foreign = temp.file("materials.xml");
    ASSERT_TRUE(TempFolder::write(foreign, "<Materials/>"));
    DocumentFiles::Result wrong = DocumentFiles::open(foreign, other);
    EXPECT_FALSE(wrong.ok);
    EXPECT_EQ(wrong.errorText, foreign + " is not a Tessival document.");
    EXPECT_EQ(TempFolder::read(foreign), "<Materials/>");
    EXPECT_TRUE(other.document().fileName().isEmpty());
}

TEST_F(DocumentOperationsTest, OpenAsksFromTheLastLocationAndHandsOverToItsObserver)
{
    std::vector<std::string> log;
    context.startOperation(OpenDocumentId);
    ASSERT_EQ(dialogs->openStarts.size(), 1);
    EXPECT_FALSE(context.currentOperation()) << "a dismissed dialog cancels";

    dialogs->openAnswer = temp.file("a.cvx");
    context.startOperation(OpenDocumentId);
    auto op = boost::make_shared<OpenDocumentOperation>(&context);
    op->setObserver(boost::make_shared<TestSupport::LoggingObserver>("open window", &log));
    EXPECT_EQ(OpenDocumentOperation::fileToOpen(), temp.file("a.cvx"));
    EXPECT_EQ(OpenDocumentOperation::lastOpenedLocation(), temp.file("a.cvx"));
    context.startOperation(OpenDocumentId);
    EXPECT_EQ(dialogs->openStarts.last(), temp.file("a.cvx")) << "the next dialog starts at the file opened last";
    op->setObserver({});
}
