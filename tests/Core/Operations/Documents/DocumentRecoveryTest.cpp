// The recovery copy of a window's document. Invariants: after a step the
// copy opens to the document as the step left it; where the document
// matches its file there is no copy; a program that ends removes its copies,
// while one that is killed after a step leaves them for the next start.
#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/Documents/DocumentRecovery.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/Undo/StateFolder.h"
#include "Model/Automaton/CellVolumes.h"
#include "Model/Automaton/TotalVolume.h"

#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>

using namespace Core::Operations;
using TestSupport::TempFolder;

namespace {

const char ChildRoot[] = "TESSIVAL_RECOVERY_CHILD_ROOT";
const char ChildEnd[] = "TESSIVAL_RECOVERY_CHILD_END";

boost::shared_ptr<Model::Automaton::TotalVolume> volumeOf(std::uint32_t material, unsigned size = 4)
{
    return boost::make_shared<Model::Automaton::TotalVolume>(
        size, size, size, 1.0f, 1.0f, 1.0f, Util::Vector3D(2, 0, -1),
        std::vector<std::uint32_t>(std::size_t(size) * size * size, material));
}

// The materials of the first volume of the document a copy opens to.
std::vector<std::uint32_t> reopened(const QString &path)
{
    OperationContext context;
    const DocumentFiles::Result result = DocumentFiles::open(path, context);
    EXPECT_TRUE(result.ok && result.damage.isEmpty()) << path.toStdString();
    const auto volume = Model::Automaton::firstCellVolume(context.document().allObjects());
    return volume ? volume->materials() : std::vector<std::uint32_t>();
}

// A step as the history sees it: the document changed, and the history is
// away from its saved state.
void step(OperationContext &context, std::uint32_t material)
{
    context.document().addObject(volumeOf(material));
    context.history().markUnsaved();
}

QStringList copiesOfEndedPrograms(const QString &root)
{
    QStringList copies;
    for (const QString &folder : StateFolder::foldersOfEndedPrograms(root))
        for (const QString &name : QDir(folder).entryList({QStringLiteral("*.cvx")}, QDir::Files))
            copies << QDir(folder).filePath(name);
    return copies;
}

} // namespace

TEST(DocumentRecoveryTest, AStepLeavesACopyOfTheDocumentAndTheSavedStateTakesItAway)
{
    TempFolder root;
    StateFolder folder(root.path(), StateFolder::KeepEnded);
    OperationContext context;
    auto recovery = boost::make_shared<DocumentRecovery>(&folder, QStringLiteral("document-1.cvx"));
    context.setRecovery(recovery);
    ASSERT_FALSE(recovery->filePath().isEmpty());

    step(context, 1);
    recovery->waitForWrites();
    ASSERT_TRUE(QFileInfo::exists(recovery->filePath()));
    EXPECT_EQ(reopened(recovery->filePath()), std::vector<std::uint32_t>(64, 1u));

    context.history().markSaved();
    recovery->waitForWrites();
    EXPECT_FALSE(QFileInfo::exists(recovery->filePath())) << "the file holds the document";
}

TEST(DocumentRecoveryTest, ManyStepsInARowLeaveTheCopyOfTheLastOne)
{
    TempFolder root;
    StateFolder folder(root.path(), StateFolder::KeepEnded);
    DocumentRecovery recovery(&folder, QStringLiteral("document-1.cvx"));
    Model::Document document;
    const auto volume = volumeOf(0, 40);
    document.addObject(volume);
    for (std::uint32_t material = 1; material <= 30; ++material) {
        {
            Model::Automaton::LockedCells cells(*volume);
            for (std::size_t i = 0; i < volume->cellCount(); ++i)
                cells[i].material = material;
        }
        ASSERT_TRUE(recovery.save(document, {}));
    }
    recovery.waitForWrites();
    EXPECT_EQ(reopened(recovery.filePath()), std::vector<std::uint32_t>(volume->cellCount(), 30u));
}

TEST(DocumentRecoveryTest, CellsHeldByAProcessAreNotWaitedFor)
{
    TempFolder root;
    StateFolder folder(root.path(), StateFolder::KeepEnded);
    DocumentRecovery recovery(&folder, QStringLiteral("document-1.cvx"));
    Model::Document document;
    const auto volume = volumeOf(1);
    document.addObject(volume);
    {
        Model::Automaton::LockedCells held(*volume);
        EXPECT_FALSE(recovery.save(document, {}));
    }
    recovery.waitForWrites();
    EXPECT_FALSE(QFileInfo::exists(recovery.filePath()));
    EXPECT_TRUE(recovery.save(document, {}));
}

// Not a test of its own: the child program of the test below, started as a
// second run of this test program.
TEST(DocumentRecoveryTest, ChildProgramThatStepsAndWaits)
{
    const QString root = qEnvironmentVariable(ChildRoot);
    if (root.isEmpty())
        GTEST_SKIP() << "run by KilledProgramsLeaveTheirCopiesAndEndedOnesDoNot";
    StateFolder folder(root, StateFolder::KeepEnded);
    {
        OperationContext context;
        auto recovery = boost::make_shared<DocumentRecovery>(&folder, QStringLiteral("document-1.cvx"));
        context.setRecovery(recovery);
        step(context, 1);
        recovery->waitForWrites();
        std::cout << "stepped" << std::endl;
        if (!qEnvironmentVariableIsSet(ChildEnd)) {
            char line[16];
            // Waits to be killed.
            while (std::fgets(line, sizeof line, stdin)) {
            }
        }
    }
}

TEST(DocumentRecoveryTest, KilledProgramsLeaveTheirCopiesAndEndedOnesDoNot)
{
    for (const bool killed : {true, false}) {
        TempFolder root;
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(ChildRoot), root.path());
        if (!killed)
            environment.insert(QLatin1String(ChildEnd), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.start(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
                    {QStringLiteral("--gtest_filter=DocumentRecoveryTest.ChildProgramThatStepsAndWaits")});
        ASSERT_TRUE(child.waitForStarted());
        QByteArray said;
        while (!said.contains("stepped") && child.waitForReadyRead(300000))
            said += child.readAllStandardOutput();
        ASSERT_TRUE(said.contains("stepped")) << said.toStdString();
        if (killed)
            child.kill();
        else
            child.closeWriteChannel();
        ASSERT_TRUE(child.waitForFinished(300000));

        const QStringList copies = copiesOfEndedPrograms(root.path());
        if (!killed) {
            EXPECT_TRUE(copies.isEmpty()) << copies.join(' ').toStdString();
            continue;
        }
        ASSERT_EQ(copies.size(), 1);
        EXPECT_EQ(reopened(copies[0]), std::vector<std::uint32_t>(64, 1u));
    }
}
