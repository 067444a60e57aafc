// Where the undo state files live. Invariants: they never go into the
// working folder; each running program has a folder of its own in the
// per-user cache, guarded by a lock it holds while it runs; what a program
// that is gone left behind is removed by the next one to start, while the
// folders of running programs and anything not of our making stay.
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/Undo/StateFolder.h"
#include "EndedProgramLock.h"
#include "TempFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <memory>

using Core::Operations::OperationContext;
using Core::Operations::StateFiles;
using Core::Operations::StateFolder;
using TestSupport::TempFolder;
using TestSupport::lockOfEndedProgram;

namespace {

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST(StateFolderTest, StateFilesLieInTheCacheNeverInTheWorkingFolder)
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    ASSERT_TRUE(cache.startsWith(QDir::homePath() + '/')) << "the tests keep to their own home";
    OperationContext context;
    StateFiles &files = context.stateFiles();
    ASSERT_TRUE(files.isAvailable());
    ASSERT_TRUE(files.append(StateFiles::Undo, "Doping", 0, "Doping 0 1 2\n"));
    ASSERT_TRUE(files.append(StateFiles::Redo, "Doping", 0, "Doping 0 2 2\n"));
    const QFileInfo undo(files.undoFile());
    EXPECT_TRUE(undo.exists());
    EXPECT_TRUE(undo.fileName().startsWith("undo") && undo.fileName().endsWith(".temp"));
    EXPECT_EQ(undo.absolutePath(), StateFolder::forThisProgram().path());
    EXPECT_TRUE(undo.absoluteFilePath().startsWith(cache + '/'));
    EXPECT_TRUE(QDir::current().entryList({"undo*", "redo*"}).isEmpty());
}

TEST(StateFolderTest, WhatEndedProgramsLeftIsRemovedAtStartUp)
{
    TempFolder root;
    auto running = std::make_unique<StateFolder>(root.path());
    ASSERT_TRUE(running->isAvailable());
    const QString live = QFileInfo(running->path()).fileName();
    ASSERT_TRUE(TempFolder::write(QDir(running->path()).filePath("undo1.temp"), "Doping 1 1\n"));

    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath("1234"));
    ASSERT_TRUE(TempFolder::write(root.file("1234/undo2.temp"), "Doping 2 1\n"));
    ASSERT_TRUE(TempFolder::write(root.file("1234/redo2.temp"), "Doping 2 0\n"));
    ASSERT_TRUE(TempFolder::write(root.file("1234.lock"), lockOfEndedProgram(root.file("probe.lock"))));
    ASSERT_TRUE(dir.mkpath("5678")); // its lock went, its folder was left half removed
    ASSERT_TRUE(TempFolder::write(root.file("5678/undo3.temp"), "Doping 3 1\n"));
    // Not of our making: never touched.
    ASSERT_TRUE(dir.mkpath("notes"));
    ASSERT_TRUE(TempFolder::write(root.file("other.lock"), lockOfEndedProgram(root.file("probe.lock"))));

    {
        StateFolder next(root.path());
        ASSERT_TRUE(next.isAvailable());
        const QString own = QFileInfo(next.path()).fileName();
        EXPECT_NE(own, live);
        QStringList expected{live, live + ".lock", own, own + ".lock", "notes", "other.lock"};
        expected.sort();
        EXPECT_EQ(entries(root.path()), expected) << entries(root.path()).join(' ').toStdString();
        EXPECT_TRUE(QFileInfo::exists(QDir(running->path()).filePath("undo1.temp")))
            << "a running program keeps its files";
    }
    QStringList remaining{live, live + ".lock", "notes", "other.lock"};
    remaining.sort();
    EXPECT_EQ(entries(root.path()), remaining) << "a program removes its own folder and lock when it goes";
    running.reset();
    EXPECT_EQ(entries(root.path()), (QStringList{"notes", "other.lock"}));
}
