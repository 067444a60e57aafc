// What the batch program writes besides the document: exports and
// cross-section pictures of the resulting cell volume, with their failures
// before the run (exit 2 or 3, nothing written) and after it (exit 1, the
// document kept); and parameter sweeps with --set, whose wrong entries,
// names and values are refused before anything runs.
#include "BatchProgramRun.h"
#include "TempFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

using TestSupport::BatchProgramRun;
using TestSupport::TempFolder;

namespace {

// 12 x 10 x 8 cells: a 6 x 5 x 3 silicon block at (2, 3, 0) and aluminium
// poured around it up to height 5 (entry 2, "Maximum Height").
const QString SampleList = QStringLiteral(TESSIVAL_TEST_DATA_DIR "/export-sample.plst");

std::string describe(const BatchProgramRun &run)
{
    return "exit " + std::to_string(run.exitCode) + "\nstderr:\n" + run.err.toStdString();
}

class BatchResultFilesTest : public ::testing::Test
{
protected:
    BatchProgramRun run(QStringList arguments)
    {
        arguments.prepend(SampleList);
        return BatchProgramRun::start(folder.path(), arguments);
    }
    bool exists(const char *name) const { return QFileInfo::exists(folder.file(QLatin1String(name))); }

    TempFolder folder;
};

} // namespace

TEST_F(BatchResultFilesTest, ExportsAndSectionsOfTheResultingVolumeAreWritten)
{
    const BatchProgramRun result =
        run({"-o", "r.cvx", "--export", "r.vti", "--export", "r.obj", "--section", "x=3", "x3.png", "--section",
             "Z=7", "z7.png"});
    ASSERT_EQ(result.exitCode, 0) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("exported the cell volume to r.vti ("))) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("drew the section z=7 to z7.png"))) << describe(result);
    for (const char *name : {"r.cvx", "r.vti", "r.obj", "r.mtl"})
        EXPECT_TRUE(exists(name)) << name;
    // Across x: 10 cells to the right, 8 up, 32 pixels each.
    const QImage section(folder.file(QStringLiteral("x3.png")));
    ASSERT_FALSE(section.isNull());
    EXPECT_GT(section.width(), 320);
    EXPECT_GT(section.height(), 256);
    EXPECT_FALSE(QImage(folder.file(QStringLiteral("z7.png"))).isNull());
}

TEST_F(BatchResultFilesTest, RequestsThatCannotBeMetBeforeTheRunWriteNothing)
{
    struct Case
    {
        QStringList arguments;
        int status;
        const char *message;
    };
    const Case cases[] = {
        {{"--export", "r.ply"}, 2, "--export r.ply: the file name has to end in *.vti, *.vtu, *.msh, *.vtp, *.stl or *.obj"},
        {{"--section", "w=3", "w.png"}, 2, "--section w=3: give the plane as x=INDEX"},
        {{"--section", "x=3"}, 2, "--section needs a value"},
        {{"--section", "y=10", "y.png"}, 2,
         "--section y=10: the resulting cell volume has 10 cells along y (0 to 9)"},
        {{"--export", "no/such/folder/r.vti"}, 3, "does not exist"},
        {{"--section", "z=1", "no/such/folder/z.png"}, 3, "does not exist"},
    };
    for (const Case &c : cases) {
        const BatchProgramRun result = run(QStringList{"-o", "r.cvx"} + c.arguments);
        EXPECT_EQ(result.exitCode, c.status) << describe(result);
        EXPECT_TRUE(result.err.contains(QLatin1String(c.message))) << describe(result);
        EXPECT_FALSE(exists("r.cvx")) << c.arguments.join(' ').toStdString();
    }
}

TEST_F(BatchResultFilesTest, AnExportThatFailsAfterTheRunKeepsTheDocument)
{
    // The colours of an OBJ export go next to it; a folder of that name
    // cannot be replaced by them.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("r.mtl")));
    const BatchProgramRun result = run({"-o", "r.cvx", "--export", "r.obj", "--export", "r.stl", "--section", "x=1",
                                        "x1.unknownformat"});
    EXPECT_EQ(result.exitCode, 1) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("r.mtl: cannot be written"))) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("x1.unknownformat: not an image format"))) << describe(result);
    EXPECT_TRUE(exists("r.cvx"));
    EXPECT_TRUE(exists("r.stl"));
    EXPECT_FALSE(exists("r.obj"));
    EXPECT_FALSE(exists("x1.unknownformat"));
}

TEST_F(BatchResultFilesTest, SurfacesTooFarOutForTheirFilesAreRefusedAndEarlierFilesKept)
{
    // The volume starts at x = 1e39, beyond the largest 32-bit float of the
    // surface files; the cells' file holds its origin as a double.
    for (const char *name : {"far.stl", "far.vtp", "far.obj", "far.mtl"})
        ASSERT_TRUE(TempFolder::write(folder.file(QLatin1String(name)), "earlier"));
    const BatchProgramRun result =
        run({"-o", "r.cvx", "--set", "1:Lower Left Front Corner=1e39;-2;0", "--export", "far.stl", "--export",
             "far.vtp", "--export", "far.obj", "--export", "far.vti"});
    EXPECT_EQ(result.exitCode, 1) << describe(result);
    for (const char *name : {"far.stl", "far.vtp", "far.obj"}) {
        const QString refusal = QStringLiteral("tessival-batch: %1: not written: the cell volume reaches x = 1e+39");
        EXPECT_TRUE(result.err.contains(refusal.arg(QLatin1String(name)))) << name << "\n" << describe(result);
        EXPECT_EQ(TempFolder::read(folder.file(QLatin1String(name))), QByteArray("earlier")) << name;
    }
    EXPECT_EQ(TempFolder::read(folder.file(QStringLiteral("far.mtl"))), QByteArray("earlier"));
    EXPECT_TRUE(result.err.contains(QStringLiteral("exported the cell volume to far.vti"))) << describe(result);
    EXPECT_TRUE(TempFolder::read(folder.file(QStringLiteral("far.vti"))).contains("Origin=\"1e+39 -2 0\""));
    EXPECT_TRUE(exists("r.cvx"));
}

TEST_F(BatchResultFilesTest, SetChangesAParameterForThisRunOnly)
{
    const QByteArray list = TempFolder::read(SampleList);
    const BatchProgramRun poured = run({"-o", "r.cvx", "--set", "2:Maximum Height=2"});
    ASSERT_EQ(poured.exitCode, 0) << describe(poured);
    // 12 x 10 x 2 cells poured, less the block's 6 x 5 x 2.
    EXPECT_TRUE(poured.err.contains(QStringLiteral("690 empty, 90 Si, 180 Al (bulk)"))) << describe(poured);
    EXPECT_EQ(TempFolder::read(SampleList), list);

    const BatchProgramRun moved = run({"-o", "m.cvx", "--set", "1:Lower Left Front Corner=0;0;-4", "--set",
                                       "1:Substrate Size Z=4", "--set", "2:Maximum Height=4"});
    ASSERT_EQ(moved.exitCode, 0) << describe(moved);
    EXPECT_TRUE(moved.err.contains(QStringLiteral("480 empty, 120 Si, 360 Al (bulk)"))) << describe(moved);
}

TEST_F(BatchResultFilesTest, SetWithAWrongEntryNameOrValueIsRefused)
{
    struct Case
    {
        const char *setting;
        const char *message;
    };
    const Case cases[] = {
        {"3:Maximum Height=2", "--set 3:Maximum Height=2: the list has no entry 3 (it has 2)"},
        {"2:Height=2", "--set 2:Height=2: entry 2 (Spin Coating) has no parameter \"Height\" (it has: Material, "
                       "MaterialId, Material_Color, Maximum Height)"},
        {"2:Maximum Height=-1", "\"Maximum Height\" of entry 2 (Spin Coating) takes a whole number from 0, not \"-1\""},
        {"2:Maximum Height=2.5", "takes a whole number from 0, not \"2.5\""},
        {"1:SphericalSubstrate=yes", "takes true or false, not \"yes\""},
        {"2:Material_Color=nocolour", "takes a colour such as #ff8000"},
        {"1:Lower Left Front Corner=1;2", "takes three numbers as X;Y;Z, not \"1;2\""},
        {"0:Maximum Height=2", "--set 0:Maximum Height=2: give it as N:NAME=VALUE"},
        {"2:Maximum Height", "--set 2:Maximum Height: give it as N:NAME=VALUE"},
    };
    for (const Case &c : cases) {
        const BatchProgramRun result = run({"-o", "r.cvx", "--set", c.setting});
        EXPECT_EQ(result.exitCode, 2) << describe(result);
        EXPECT_TRUE(result.err.contains(QLatin1String(c.message))) << describe(result);
        EXPECT_FALSE(exists("r.cvx")) << c.setting;
    }
    const BatchProgramRun help = BatchProgramRun::start(folder.path(), {QStringLiteral("--help")});
    for (const char *option : {"--export FILE", "--section AXIS=INDEX FILE.png", "--set N:NAME=VALUE"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
}
