// The batch program with masks named by their files. Invariants checked:
// - a --set of a mask file, or of a layout's choices, replaces the mask the
//   entry held, and the result changes with it;
// - a file that cannot be read, a cell or layer it lacks, or a layer that
//   covers no column of the volume the list makes ends the program before
//   anything runs, with exit status 2, no document, and a message naming
//   the entry, the file and the reason;
// - a list's relative mask names are read in the list's folder, whatever
//   the current folder; an entry holding flags next to its file says once,
//   with --verbose, that the file decided.
#include "BatchEntries.h"
#include "BatchProgramRun.h"
#include "LayoutWriter.h"
#include "TempFolder.h"

#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/CellVolumes.h"
#include "UI/BatchRun/ProcessListArchiver.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

using TestSupport::BatchProgramRun;
using TestSupport::TempFolder;
using Ui::ProcessData;

namespace {

// TOP: a 4 x 4 box at (2, 2) on layer 1, a 1 x 2 one at (0, 8) on layer
// 40000, and a 2 x 2 one at (8, 8) on layer 2.
QByteArray boxes()
{
    TestSupport::LayoutWriter writer;
    writer.beginCell("TOP")
        .polygon(1, 0, {{2, 2}, {6, 2}, {6, 6}, {2, 6}})
        .polygon(40000, 0, {{0, 8}, {1, 8}, {1, 10}, {0, 10}})
        .polygon(2, 0, {{8, 8}, {10, 8}, {10, 10}, {8, 10}})
        .endCell();
    return writer.finish();
}

// 1: a 10 x 10 x 4 volume, silicon 2 cells high; 2: the silicon developed
// through a top mask that covers column (0, 0), given as flags, with the
// file `maskFile` besides when one is given.
std::list<ProcessData> flow(const QString &maskFile = QString(), const QVariantMap &more = {})
{
    ProcessData substrate = TestSupport::substrateEntry(10, 10, 4);
    substrate.setParameter(QStringLiteral("Substrate Size X"), 10u);
    substrate.setParameter(QStringLiteral("Substrate Size Y"), 10u);
    substrate.setParameter(QStringLiteral("Substrate Delta X"), 0u);
    substrate.setParameter(QStringLiteral("Substrate Delta Y"), 0u);
    ProcessData lithography(ProcessData::Photolithography);
    lithography.setParameter(QStringLiteral("MaterialId"), 1u, false);
    lithography.setParameter(QStringLiteral("Top Mask"), QVariant::fromValue(Ui::MaskVector{true}), false);
    lithography.setParameter(QStringLiteral("Top Mask Width"), 1u);
    lithography.setParameter(QStringLiteral("Top Mask Height"), 1u);
    lithography.setParameter(QStringLiteral("Top Mask File"), maskFile);
    lithography.setParameter(QStringLiteral("Bottom Mask"), QVariant::fromValue(Ui::MaskVector()), false);
    lithography.setParameter(QStringLiteral("Bottom Mask Width"), 0u);
    lithography.setParameter(QStringLiteral("Bottom Mask Height"), 0u);
    for (auto value = more.begin(); value != more.end(); ++value)
        lithography.setParameter(value.key(), value.value());
    return {substrate, lithography};
}

class MaskFileRunsTest : public ::testing::Test
{
protected:
    MaskFileRunsTest()
    {
        EXPECT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("flows/masks")));
        EXPECT_TRUE(TempFolder::write(folder.file(QStringLiteral("box.gds")), boxes()));
        EXPECT_TRUE(TempFolder::write(folder.file(QStringLiteral("flows/masks/box.gds")), boxes()));
        save(QStringLiteral("flow.plst"), flow());
    }

    void save(const QString &name, std::list<ProcessData> entries)
    {
        EXPECT_TRUE(Ui::ProcessListArchiver(entries).saveProcessList(folder.file(name)));
    }
    BatchProgramRun run(const QStringList &arguments) { return BatchProgramRun::start(folder.path(), arguments); }
    bool exists(const QString &name) const { return QFileInfo::exists(folder.file(name)); }

    // The silicon columns the run left, as x * 10 + y.
    std::set<int> silicon(const QString &document)
    {
        Core::Operations::OperationContext context;
        const auto opened = Core::Operations::DocumentFiles::open(folder.file(document), context);
        EXPECT_TRUE(opened.ok) << opened.errorText.toStdString();
        std::set<int> columns;
        const auto volume = Model::Automaton::firstCellVolume(context.document().allObjects());
        if (!volume)
            return columns;
        const auto cells = volume->materials();
        for (unsigned x = 0; x < 10; ++x)
            for (unsigned y = 0; y < 10; ++y)
                if (cells[volume->cellIndex(x, y, 0)] == 1u)
                    columns.insert(int(x * 10 + y));
        return columns;
    }

    static std::set<int> block(int x0, int y0, int x1, int y1)
    {
        std::set<int> columns;
        for (int x = x0; x < x1; ++x)
            for (int y = y0; y < y1; ++y)
                columns.insert(x * 10 + y);
        return columns;
    }

    TempFolder folder;
};

} // namespace

TEST_F(MaskFileRunsTest, ASetMaskFileOrLayoutChoiceReplacesTheMaskTheEntryHeld)
{
    const BatchProgramRun listed = run({"flow.plst", "-o", "listed.cvx"});
    ASSERT_EQ(listed.exitCode, 0) << listed.describe();
    EXPECT_EQ(silicon(QStringLiteral("listed.cvx")), (std::set<int>{0})) << "the flags cover column (0, 0)";

    // The layout's first layer, one layout unit per cell from its origin.
    const BatchProgramRun boxed =
        run({"flow.plst", "-o", "boxed.cvx", "--set", "2:Top Mask File=box.gds", "--set", "2:Top Mask Units per Cell=1"});
    ASSERT_EQ(boxed.exitCode, 0) << boxed.describe();
    EXPECT_EQ(silicon(QStringLiteral("boxed.cvx")), block(2, 2, 6, 6));

    // The file alone: drawn as the layout dialog starts, fitted.
    const BatchProgramRun fitted = run({"flow.plst", "-o", "fitted.cvx", "--set", "2:Top Mask File=box.gds"});
    ASSERT_EQ(fitted.exitCode, 0) << fitted.describe();
    const std::set<int> fittedColumns = silicon(QStringLiteral("fitted.cvx"));
    EXPECT_FALSE(fittedColumns.empty());
    EXPECT_NE(fittedColumns, (std::set<int>{0}));

    // A layer above 32767 alone.
    const BatchProgramRun high =
        run({"flow.plst", "-o", "high.cvx", "--set", "2:Top Mask File=box.gds", "--set", "2:Top Mask Units per Cell=1",
             "--set", "2:Top Mask Layer=40000"});
    ASSERT_EQ(high.exitCode, 0) << high.describe();
    EXPECT_EQ(silicon(QStringLiteral("high.cvx")), block(0, 8, 1, 10));

    // A layout entry's layer alone changes what it draws.
    save(QStringLiteral("layout.plst"),
         flow(QStringLiteral("box.gds"), {{QStringLiteral("Top Mask Cell"), QStringLiteral("TOP")},
                                          {QStringLiteral("Top Mask Layer"), 1u},
                                          {QStringLiteral("Top Mask Units per Cell"), 1.0}}));
    const BatchProgramRun second = run({"layout.plst", "-o", "second.cvx", "--set", "2:Top Mask Layer=2"});
    ASSERT_EQ(second.exitCode, 0) << second.describe();
    EXPECT_EQ(silicon(QStringLiteral("second.cvx")), block(8, 8, 10, 10));
}

TEST_F(MaskFileRunsTest, AMaskTheRunCannotUseEndsTheProgramBeforeAnythingIsWritten)
{
    const QString box = QDir::toNativeSeparators(folder.file(QStringLiteral("box.gds")));
    const struct
    {
        QStringList settings;
        QString file;
        QString reason;
    } refused[] = {
        {{"2:Top Mask File=masks/missing.gds"}, folder.file(QStringLiteral("masks/missing.gds")),
         QStringLiteral("cannot be read: No such file or directory")},
        {{"2:Top Mask File=/nonexistent.png"}, QStringLiteral("/nonexistent.png"),
         QStringLiteral("cannot be read: No such file or directory")},
        {{"2:Top Mask File=box.gds", "2:Top Mask Cell=NOPE"}, box, QStringLiteral("has no cell NOPE (it has TOP)")},
        {{"2:Top Mask File=box.gds", "2:Top Mask Layer=7"}, box,
         QStringLiteral("draws nothing on layer 7/0 (it draws on 1/0, 2/0, 40000/0)")},
        {{"2:Top Mask File=box.gds", "2:Top Mask Units per Cell=1", "2:Top Mask Offset X=1000"}, box,
         QStringLiteral("covers no cell centre of the 10 x 10 columns")},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(c.settings.join(QStringLiteral(" ")).toStdString());
        QStringList arguments{"flow.plst", "-o", "out.cvx"};
        for (const QString &setting : c.settings)
            arguments << QStringLiteral("--set") << setting;
        const BatchProgramRun result = run(arguments);
        EXPECT_EQ(result.exitCode, 2) << result.describe();
        EXPECT_TRUE(result.err.contains(QStringLiteral("entry 2 (Photolithography) cannot run with ")))
            << result.describe();
        EXPECT_TRUE(result.err.contains(c.file)) << result.describe();
        EXPECT_TRUE(result.err.contains(c.reason)) << result.describe();
        EXPECT_FALSE(result.err.contains(QStringLiteral("[1/2]"))) << "nothing ran\n" << result.describe();
        EXPECT_FALSE(exists(QStringLiteral("out.cvx")));
    }

    // A layer chosen where there is no layout would change nothing.
    const BatchProgramRun noFile = run({"flow.plst", "-o", "out.cvx", "--set", "2:Top Mask Layer=1"});
    EXPECT_EQ(noFile.exitCode, 2) << noFile.describe();
    EXPECT_TRUE(noFile.err.contains(QStringLiteral(
        "--set 2:Top Mask Layer=1: entry 2 (Photolithography) cannot run with it: parameter \"Top Mask Layer\" is "
        "used only with a file named by \"Top Mask File\", and the entry names none")))
        << noFile.describe();
    QImage window(4, 4, QImage::Format_RGB32);
    window.fill(Qt::black);
    ASSERT_TRUE(window.save(folder.file(QStringLiteral("flows/masks/window.png"))));
    save(QStringLiteral("flows/image.plst"), flow(QStringLiteral("masks/window.png")));
    const BatchProgramRun imageLayer = run({"flows/image.plst", "-o", "out.cvx", "--set", "2:Top Mask Layer=1"});
    EXPECT_EQ(imageLayer.exitCode, 2) << imageLayer.describe();
    EXPECT_TRUE(imageLayer.err.contains(QStringLiteral("window.png is a mask image; only a layout file has cells")))
        << imageLayer.describe();

    // A mask file is no output.
    const BatchProgramRun overwrite =
        run({"flows/image.plst", "-o", "out.cvx", "--section", "y=1", "flows/masks/window.png"});
    EXPECT_EQ(overwrite.exitCode, 2) << overwrite.describe();
    EXPECT_TRUE(overwrite.err.contains(QStringLiteral("cannot be the same file"))) << overwrite.describe();
    EXPECT_FALSE(exists(QStringLiteral("out.cvx")));
}

TEST_F(MaskFileRunsTest, ListsReadTheirMasksInTheirOwnFolderAndSayOnceThatTheFileDecided)
{
    save(QStringLiteral("flows/switch.plst"),
         flow(QStringLiteral("masks/box.gds"), {{QStringLiteral("Top Mask Cell"), QStringLiteral("TOP")},
                                                {QStringLiteral("Top Mask Layer"), 1u},
                                                {QStringLiteral("Top Mask Units per Cell"), 1.0}}));
    const BatchProgramRun quiet = run({"flows/switch.plst", "-o", "switch.cvx"});
    ASSERT_EQ(quiet.exitCode, 0) << quiet.describe();
    EXPECT_EQ(silicon(QStringLiteral("switch.cvx")), block(2, 2, 6, 6)) << "the layout, not the flags";
    EXPECT_FALSE(quiet.err.contains(QStringLiteral("not from the flags"))) << quiet.describe();

    const BatchProgramRun verbose = run({"flows/switch.plst", "-o", "verbose.cvx", "--verbose"});
    ASSERT_EQ(verbose.exitCode, 0) << verbose.describe();
    EXPECT_EQ(verbose.err.count(QStringLiteral("not from the flags the entry also holds")), 1) << verbose.describe();
    EXPECT_TRUE(verbose.err.contains(QStringLiteral("entry 2 (Photolithography): the top mask is read from ")))
        << verbose.describe();
}
