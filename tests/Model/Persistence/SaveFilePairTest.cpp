// A file and its companion replaced as a pair. Invariants: after a success
// both hold what was written; after any failure both earlier files (or their
// absence) are as they were; no temporary or backup file is left beside them.
// The failures are real ones: a target that became a folder after the files
// were opened cannot be renamed onto, also for root.
#include "Model/Persistence/SaveFilePair.h"

#include "TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using Model::Persistence::SaveFilePair;
using TestSupport::TempFolder;

namespace {

class SaveFilePairTest : public ::testing::Test
{
protected:
    QString mesh() const { return temp.file(QStringLiteral("pair.obj")); }
    QString colours() const { return temp.file(QStringLiteral("pair.mtl")); }

    // Opens the pair and writes new contents into both.
    void writeNew(SaveFilePair &pair)
    {
        ASSERT_TRUE(pair.open()) << pair.errorString().toStdString();
        pair.file().write("new mesh");
        pair.companion().write("new colours");
    }

    // Turns `path` into a folder with a file in it, as another program
    // might between the export's start and its end.
    static void becomeFolder(const QString &path)
    {
        QFile::remove(path);
        ASSERT_TRUE(QDir().mkdir(path));
        ASSERT_TRUE(TempFolder::write(path + QStringLiteral("/inside"), "kept"));
    }

    QStringList entries() const
    {
        return QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    TempFolder temp;
};

} // namespace

TEST_F(SaveFilePairTest, ACommittedPairReplacesBothAndLeavesNothingElse)
{
    ASSERT_TRUE(TempFolder::write(mesh(), "earlier mesh"));
    ASSERT_TRUE(TempFolder::write(colours(), "earlier colours"));
    SaveFilePair pair(mesh(), colours());
    writeNew(pair);
    ASSERT_TRUE(pair.commit()) << pair.errorString().toStdString();
    EXPECT_EQ(TempFolder::read(mesh()), QByteArray("new mesh"));
    EXPECT_EQ(TempFolder::read(colours()), QByteArray("new colours"));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("pair.mtl"), QStringLiteral("pair.obj")}));
}

TEST_F(SaveFilePairTest, AFileThatCannotBeReplacedPutsTheEarlierCompanionBack)
{
    ASSERT_TRUE(TempFolder::write(mesh(), "earlier mesh"));
    ASSERT_TRUE(TempFolder::write(colours(), "earlier colours"));
    SaveFilePair pair(mesh(), colours());
    writeNew(pair);
    becomeFolder(mesh());
    EXPECT_FALSE(pair.commit());
    EXPECT_FALSE(pair.errorString().isEmpty());
    EXPECT_EQ(TempFolder::read(colours()), QByteArray("earlier colours"));
    EXPECT_EQ(TempFolder::read(mesh() + QStringLiteral("/inside")), QByteArray("kept"));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("pair.mtl"), QStringLiteral("pair.obj")}));
}

TEST_F(SaveFilePairTest, ACompanionThatDidNotExistIsTakenAwayAgain)
{
    ASSERT_TRUE(TempFolder::write(mesh(), "earlier mesh"));
    SaveFilePair pair(mesh(), colours());
    writeNew(pair);
    becomeFolder(mesh());
    EXPECT_FALSE(pair.commit());
    EXPECT_FALSE(QFileInfo::exists(colours()));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("pair.obj")});
}

TEST_F(SaveFilePairTest, ACompanionThatCannotBeReplacedKeepsTheEarlierFile)
{
    ASSERT_TRUE(TempFolder::write(mesh(), "earlier mesh"));
    SaveFilePair pair(mesh(), colours());
    writeNew(pair);
    becomeFolder(colours());
    EXPECT_FALSE(pair.commit());
    EXPECT_EQ(pair.failedFileName(), colours());
    EXPECT_EQ(TempFolder::read(mesh()), QByteArray("earlier mesh"));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("pair.mtl"), QStringLiteral("pair.obj")}));
}

TEST_F(SaveFilePairTest, WithoutACompanionItIsOneFile)
{
    SaveFilePair single(mesh(), QString());
    ASSERT_TRUE(single.open());
    EXPECT_FALSE(single.hasCompanion());
    single.file().write("alone");
    ASSERT_TRUE(single.commit());
    EXPECT_EQ(TempFolder::read(mesh()), QByteArray("alone"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("pair.obj")});
}

TEST_F(SaveFilePairTest, ACompanionThatCannotBeReplacedPutsTheEarlierOnesBack)
{
    const QString first = temp.file(QStringLiteral("pair-a.stl")), second = temp.file(QStringLiteral("pair-b.stl"));
    ASSERT_TRUE(TempFolder::write(mesh(), "earlier mesh"));
    ASSERT_TRUE(TempFolder::write(first, "earlier a"));
    SaveFilePair files(mesh(), QStringList{first, second});
    ASSERT_TRUE(files.open()) << files.errorString().toStdString();
    ASSERT_EQ(files.companionCount(), 2u);
    files.file().write("new mesh");
    files.companion(0).write("new a");
    files.companion(1).write("new b");
    becomeFolder(second);
    EXPECT_FALSE(files.commit());
    EXPECT_EQ(TempFolder::read(mesh()), QByteArray("earlier mesh"));
    EXPECT_EQ(TempFolder::read(first), QByteArray("earlier a"));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("pair-a.stl"), QStringLiteral("pair-b.stl"), QStringLiteral("pair.obj")}));
}
