#include "Model/Persistence/CatalogueFile.h"

#include "FileSizeLimit.h"
#include "LogCapture.h"
#include "TempFolder.h"

#include <QDir>
#include <QXmlStreamWriter>

#include <gtest/gtest.h>

using Model::Persistence::CatalogueFile;
using TestSupport::LogCapture;
using TestSupport::TempFolder;

TEST(CatalogueFile, FailedWriteLeavesTheOldFileAsItWas)
{
    TempFolder temp;
    const QString path = temp.file("materials.xml");
    ASSERT_TRUE(TempFolder::write(path, "the user's catalogue"));

    LogCapture log;
    const bool written = CatalogueFile::write(path, "Materials", [](QXmlStreamWriter &writer) {
        writer.writeEmptyElement("Material");
        return false; // as when an entry cannot be written
    });
    EXPECT_FALSE(written);
    EXPECT_EQ(TempFolder::read(path), "the user's catalogue");
    EXPECT_TRUE(log.contains(path));
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList{"materials.xml"}) << "no temporary left";
}

TEST(CatalogueFile, FullDiskNeverTruncatesTheCatalogue)
{
    TempFolder temp;
    const QString path = temp.file("materials.xml");
    ASSERT_TRUE(TempFolder::write(path, "the user's catalogue"));
    bool written = true;
    {
        TestSupport::FileSizeLimit full(64);
        written = CatalogueFile::write(path, "Materials", [](QXmlStreamWriter &writer) {
            for (int i = 0; i < 100; ++i)
                writer.writeEmptyElement("Material");
            return true;
        });
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(TempFolder::read(path), "the user's catalogue");
}

TEST(CatalogueFile, UnwritableFolderIsReportedNotFatal)
{
    TempFolder temp;
    // A file where the folder should be: nothing can be created below it.
    ASSERT_TRUE(TempFolder::write(temp.file("Tessival"), "not a folder"));
    LogCapture log;
    EXPECT_FALSE(CatalogueFile::write(temp.file("Tessival/materials.xml"), "Materials",
                                      [](QXmlStreamWriter &) { return true; }));
    EXPECT_FALSE(log.messages().isEmpty());
    EXPECT_EQ(TempFolder::read(temp.file("Tessival")), "not a folder");
}

TEST(CatalogueFile, WriteCreatesMissingFolders)
{
    TempFolder temp;
    const QString path = temp.file("a/b/Tessival/processes.xml");
    ASSERT_TRUE(CatalogueFile::write(path, "Processes", [](QXmlStreamWriter &) { return true; }));
    EXPECT_EQ(TempFolder::read(path), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Processes/>\n");
}

TEST(CatalogueFile, ReadRejectsMissingFilesAndOtherRoots)
{
    TempFolder temp;
    const auto ignore = [](QXmlStreamReader &) {};
    EXPECT_FALSE(CatalogueFile::read(temp.file("missing.xml"), "Materials", ignore));
    ASSERT_TRUE(TempFolder::write(temp.file("other.xml"), "<materials/>"));
    EXPECT_FALSE(CatalogueFile::read(temp.file("other.xml"), "Materials", ignore)) << "names are case-sensitive";
    ASSERT_TRUE(TempFolder::write(temp.file("ok.xml"), "<Materials><x/><y><z/></y></Materials>"));
    QStringList seen;
    EXPECT_TRUE(CatalogueFile::read(temp.file("ok.xml"), "Materials",
                                    [&seen](QXmlStreamReader &r) { seen << r.name().toString(); }));
    EXPECT_EQ(seen, (QStringList{"x", "y", "z"}));
}

TEST(CatalogueFile, KeptAsideNamesNeverCollide)
{
    TempFolder temp;
    const QString path = temp.file("processes.xml");
    QStringList aside;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(TempFolder::write(path, QByteArray::number(i)));
        aside << CatalogueFile::moveAside(path);
    }
    EXPECT_EQ(aside.removeDuplicates(), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(TempFolder::read(aside[i]), QByteArray::number(i));
    EXPECT_FALSE(QFile::exists(path));
}
