// Saving and opening documents through the operations, with the window's
// dialogs replaced by scripted answers.
#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/Documents/IDocumentDialogs.h"
#include "Core/Operations/Documents/OpenDocumentOperation.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Documents/SaveDocumentOperation.h"
#include "Model/Automaton/CellVolumes.h"
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
    void showWarning(const QString &title, const QString &text) override { warnings.push_back(title + ": " + text); }
    bool confirmReplace(const QString &path) override
    {
        replaceQuestions.push_back(path);
        return replaceAnswer;
    }

    QString saveAnswer;
    bool replaceAnswer = false;
    QStringList replaceQuestions;
    QString openAnswer;
    int saveQuestions = 0;
    QStringList openStarts;
    QStringList errors;
    QStringList warnings;
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
    EXPECT_TRUE(result.damage.isEmpty());
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

// A document file cut in half: it opens with what could be read, says how
// much that was, and does not take the file's name, so that Save asks for a
// new one and the damaged file is never written over unasked.
TEST_F(DocumentOperationsTest, TruncatedDocumentIsReportedAndSaveDoesNotOverwriteIt)
{
    OperationContext source;
    source.document().addObject(boost::make_shared<Model::Automaton::TotalVolume>(
        80, 60, 60, 1.0f, 1.0f, 1.0f, Util::Vector3D(), std::vector<std::uint32_t>(288000, 1u)));
    const QString whole = temp.file("whole.cvx");
    ASSERT_TRUE(DocumentFiles::save(whole, source).ok);
    const QByteArray text = TempFolder::read(whole);
    // Every cell is written as "1 ": the first 150 000 cells and no more.
    const QString path = temp.file("half.cvx");
    ASSERT_TRUE(TempFolder::write(path, text.left(text.indexOf("<State>") + 7 + 2 * 150000)));
    const QByteArray damaged = TempFolder::read(path);

    OperationContext other;
    auto otherDialogs = boost::make_shared<ScriptedDialogs>();
    other.setOperationFactory(boost::make_shared<OperationFactory>(&other));
    other.setDocumentDialogs(otherDialogs);
    const DocumentFiles::Result result = DocumentFiles::open(path, other);
    ASSERT_TRUE(result.ok) << "what could be read is shown";
    EXPECT_EQ(result.damage, QStringList{"The document ends early: 150 000 of 288 000 cells were read."});
    EXPECT_TRUE(other.document().fileName().isEmpty());
    EXPECT_FALSE(other.hasUnsavedChanges());
    const auto volume = Model::Automaton::firstCellVolume(other.document().allObjects());
    ASSERT_TRUE(volume);
    const auto ids = volume->materials();
    EXPECT_EQ(std::count(ids.begin(), ids.end(), 1u), 150000);

    other.startOperation(SaveDocumentId);
    EXPECT_EQ(otherDialogs->saveQuestions, 1) << "Save asks where to";
    EXPECT_EQ(TempFolder::read(path), damaged);

    otherDialogs->saveAnswer = temp.file("rescued.cvx");
    other.startOperation(SaveDocumentId);
    EXPECT_EQ(other.document().fileName(), temp.file("rescued.cvx"));
    EXPECT_EQ(TempFolder::read(path), damaged);
}

// Saved, opened and new documents have nothing to save; work recorded in
// the history has, until a save succeeds.
TEST_F(DocumentOperationsTest, SavingClearsTheUnsavedChangesOnlyWhenItWorks)
{
    std::vector<std::string> log;
    context.history().push(boost::make_shared<TestSupport::RecordingOperation>(&context, "Work", &log));
    ASSERT_TRUE(context.hasUnsavedChanges());

    dialogs->saveAnswer = temp.file("no/such/folder/file.cvx");
    context.startOperation(SaveDocumentId);
    EXPECT_TRUE(context.hasUnsavedChanges()) << "a failed save";
    dialogs->saveAnswer.clear();
    context.startOperation(SaveDocumentAsId);
    EXPECT_TRUE(context.hasUnsavedChanges()) << "a dismissed save";

    dialogs->saveAnswer = temp.file("saved.cvx");
    context.startOperation(SaveDocumentId);
    EXPECT_FALSE(context.hasUnsavedChanges());

    OperationContext other;
    other.history().push(boost::make_shared<TestSupport::RecordingOperation>(&other, "Work", &log));
    ASSERT_TRUE(DocumentFiles::open(temp.file("saved.cvx"), other).ok);
    EXPECT_FALSE(other.hasUnsavedChanges());
}

// The name typed in the save dialog gets ".cvx" unless it has a dot; an
// existing file that only the added extension names is not replaced without
// asking.
TEST_F(DocumentOperationsTest, SaveAddsTheExtensionToNamesWithoutOne)
{
    dialogs->saveAnswer = temp.file("wafer");
    context.startOperation(SaveDocumentId);
    EXPECT_EQ(context.document().fileName(), temp.file("wafer.cvx"));
    EXPECT_TRUE(QFileInfo::exists(temp.file("wafer.cvx")));
    EXPECT_FALSE(QFileInfo::exists(temp.file("wafer")));

    ASSERT_TRUE(QDir(temp.path()).mkdir("my.folder"));
    const std::pair<QString, QString> names[] = {
        {"copy.v2", "copy.v2"}, {"notes.", "notes."}, {"my.folder/wafer", "my.folder/wafer.cvx"}};
    for (const auto &name : names) {
        dialogs->saveAnswer = temp.file(name.first);
        context.startOperation(SaveDocumentAsId);
        EXPECT_EQ(context.document().fileName(), temp.file(name.second));
        EXPECT_TRUE(QFileInfo::exists(temp.file(name.second)));
    }
    EXPECT_TRUE(dialogs->replaceQuestions.isEmpty());

    const QString existing = temp.file("old.cvx");
    ASSERT_TRUE(TempFolder::write(existing, "an earlier document"));
    dialogs->saveAnswer = temp.file("old");
    context.startOperation(SaveDocumentAsId);
    EXPECT_EQ(dialogs->replaceQuestions, QStringList{existing});
    EXPECT_EQ(TempFolder::read(existing), "an earlier document");
    EXPECT_EQ(context.document().fileName(), temp.file("my.folder/wafer.cvx"));

    dialogs->replaceAnswer = true;
    context.startOperation(SaveDocumentAsId);
    EXPECT_EQ(context.document().fileName(), existing);
    EXPECT_NE(TempFolder::read(existing), "an earlier document");
}
