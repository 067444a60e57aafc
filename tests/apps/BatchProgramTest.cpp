// The batch program end to end: the sample list gives a document that
// reads back with the cells of an in-process run; bad lists, options and
// paths end with a non-zero status and a message that names the problem;
// Ctrl-C ends a run without a document; --netlist writes the cantilevers
// of the result.
#include "AnchoredBeam.h"
#include "BatchProgramRun.h"
#include "FilledVolume.h"
#include "TempFolder.h"

#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/CellVolumes.h"
#include "Model/Automaton/TotalVolume.h"
#include "UI/BatchRun/BatchRunner.h"
#include "UI/BatchRun/ProcessListArchiver.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include <csignal>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

using TestSupport::BatchProgramRun;
using TestSupport::TempFolder;

namespace {

boost::shared_ptr<Model::Automaton::TotalVolume> readVolume(Core::Operations::OperationContext &context,
                                                            const QString &path)
{
    const auto opened = Core::Operations::DocumentFiles::open(path, context);
    EXPECT_TRUE(opened.ok) << opened.errorText.toStdString();
    return Model::Automaton::firstCellVolume(context.document().allObjects());
}

std::string describe(const BatchProgramRun &run)
{
    return "exit " + std::to_string(run.exitCode) + "\nstderr:\n" + run.err.toStdString();
}

const QByteArray Header = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Process-List>\n";

// A silicon substrate `silicon` cells high in a volume of size x size x
// `height` cells (size x size x size unless told).
QByteArray substrate(unsigned size, unsigned silicon = 4, unsigned height = 0)
{
    const QByteArray n = QByteArray::number(size);
    const QByteArray up = QByteArray::number(height ? height : size), si = QByteArray::number(silicon);
    return "<Process-Data process-type=\"11\">\n"
           "<Parameter parameter-name=\"MaterialId\" parameter-type=\"uint\" parameter-data=\"1\"/>\n"
           "<Parameter parameter-name=\"Lower Left Front Corner\" parameter-type=\"Util::Vector3D\" parameter-data=\"0;0;0\"/>\n"
           "<Parameter parameter-name=\"Volume Size X\" parameter-type=\"uint\" parameter-data=\"" + n + "\"/>\n"
           "<Parameter parameter-name=\"Volume Size Y\" parameter-type=\"uint\" parameter-data=\"" + n + "\"/>\n"
           "<Parameter parameter-name=\"Volume Size Z\" parameter-type=\"uint\" parameter-data=\"" + up + "\"/>\n"
           "<Parameter parameter-name=\"SphericalSubstrate\" parameter-type=\"bool\" parameter-data=\"false\"/>\n"
           "<Parameter parameter-name=\"Substrate Size X\" parameter-type=\"uint\" parameter-data=\"" + n + "\"/>\n"
           "<Parameter parameter-name=\"Substrate Size Y\" parameter-type=\"uint\" parameter-data=\"" + n + "\"/>\n"
           "<Parameter parameter-name=\"Substrate Size Z\" parameter-type=\"uint\" parameter-data=\"" + si + "\"/>\n"
           "<Parameter parameter-name=\"Substrate Delta X\" parameter-type=\"uint\" parameter-data=\"0\"/>\n"
           "<Parameter parameter-name=\"Substrate Delta Y\" parameter-type=\"uint\" parameter-data=\"0\"/>\n"
           "<Parameter parameter-name=\"Substrate Delta Z\" parameter-type=\"uint\" parameter-data=\"0\"/>\n"
           "</Process-Data>\n";
}

QByteArray cvd(const QByteArray &thickness)
{
    QByteArray entry = "<Process-Data process-type=\"4\">\n"
                       "<Parameter parameter-name=\"MaterialId\" parameter-type=\"uint\" parameter-data=\"3\"/>\n";
    if (!thickness.isNull())
        entry += "<Parameter parameter-name=\"Thickness\" parameter-type=\"double\" parameter-data=\"" + thickness + "\"/>\n";
    return entry + "</Process-Data>\n";
}

// Develops the resist (silicon unless told) through a top mask of `width` x
// `height` flags.
QByteArray photolithography(const QByteArray &flags, unsigned width, unsigned height, const QByteArray &resist = "1")
{
    return "<Process-Data process-type=\"0\">\n"
           "<Parameter parameter-name=\"MaterialId\" parameter-type=\"uint\" parameter-data=\"" + resist + "\"/>\n"
           "<Parameter parameter-name=\"Top Mask\" parameter-type=\"vector\" parameter-data=\"" + flags + "\"/>\n"
           "<Parameter parameter-name=\"Top Mask Width\" parameter-type=\"uint\" parameter-data=\""
        + QByteArray::number(width) + "\"/>\n"
           "<Parameter parameter-name=\"Top Mask Height\" parameter-type=\"uint\" parameter-data=\""
        + QByteArray::number(height) + "\"/>\n"
           "<Parameter parameter-name=\"Bottom Mask\" parameter-type=\"vector\" parameter-data=\"\"/>\n"
           "<Parameter parameter-name=\"Bottom Mask Width\" parameter-type=\"uint\" parameter-data=\"0\"/>\n"
           "<Parameter parameter-name=\"Bottom Mask Height\" parameter-type=\"uint\" parameter-data=\"0\"/>\n"
           "</Process-Data>\n";
}

// A hundred bond-counting wet etches through a window in an oxide mask,
// each after an isotropic etch of silicon too shallow to take a cell that
// still leaves the Si lattice out of date: the first wet etch opens a pit
// down to its (111) walls, and each one builds the lattice afresh, row by
// row, and etches the atoms of the cells the one before left partly etched.
// One entry after another they keep the program busy long after its first
// live line, mostly in reported steps, and still end by themselves.
constexpr int LongListEntries = 203;

QByteArray longList()
{
    const unsigned size = 100;
    QByteArray window;
    for (unsigned x = 0; x < size; ++x)
        for (unsigned y = 0; y < size; ++y)
            window += x >= 33 && x < 66 && y >= 33 && y < 66 ? '0' : '1';
    const QByteArray dip = "<Process-Data process-type=\"5\">\n"
                           "<Parameter parameter-name=\"MaterialId\" parameter-type=\"uint\" parameter-data=\"1\"/>\n"
                           "<Parameter parameter-name=\"Depth\" parameter-type=\"double\" parameter-data=\"0.5\"/>\n"
                           "</Process-Data>\n";
    const QByteArray wetEtch = "<Process-Data process-type=\"1\">\n"
                               "<Parameter parameter-name=\"Depth\" parameter-type=\"double\" parameter-data=\"250000\"/>\n"
                               "</Process-Data>\n";
    QByteArray list = Header + substrate(size, 30, 40) + cvd("2") + photolithography(window, size, size, "3");
    for (int entry = 3; entry < LongListEntries; entry += 2)
        list += dip + wetEtch;
    return list + "</Process-List>\n";
}

class BatchProgramTest : public ::testing::Test
{
protected:
    QString write(const char *name, const QByteArray &body)
    {
        const QString path = folder.file(QLatin1String(name));
        EXPECT_TRUE(TempFolder::write(path, body));
        return path;
    }
    BatchProgramRun run(const QStringList &arguments) { return BatchProgramRun::start(folder.path(), arguments); }

    TempFolder folder;
};

} // namespace

TEST_F(BatchProgramTest, TheSampleListWritesADocumentWithTheCellsOfAnInProcessRun)
{
    const QString list = TestSupport::exampleList("example-flow.plst");
    const BatchProgramRun result = run({list, QStringLiteral("-o"), QStringLiteral("flow.cvx"), QStringLiteral("--threads"), QStringLiteral("2")});
    ASSERT_FALSE(result.crashed) << describe(result);
    // Without a display the image is the one entry that cannot run.
    EXPECT_EQ(result.exitCode, 1) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("[1/6] Create Substrate: done in "))) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("[5/6] Electroplating: done in "))) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("[6/6] Save Image: not run: no OpenGL context"))) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("ran 5 of 6 entries"))) << describe(result);
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("example-flow.png"))));

    Core::Operations::OperationContext written;
    const auto volume = readVolume(written, folder.file(QStringLiteral("flow.cvx")));
    ASSERT_TRUE(volume);
    EXPECT_EQ(written.document().allObjects().size(), 1u);

    std::list<Ui::ProcessData> entries;
    ASSERT_TRUE(Ui::ProcessListArchiver(entries).loadProcessList(list, entries));
    Core::Operations::OperationContext own;
    Ui::BatchRunner runner(own);
    for (const Ui::ProcessData &entry : entries)
        runner.run(entry);
    ASSERT_TRUE(runner.volume());
    EXPECT_EQ(volume->sizeX(), runner.volume()->sizeX());
    EXPECT_EQ(volume->sizeZ(), runner.volume()->sizeZ());
    EXPECT_EQ(volume->materials(), runner.volume()->materials());
}

TEST_F(BatchProgramTest, DebugLinesOnlyWithVerbose)
{
    const QString list = write("etch.plst", Header + substrate(6)
                                                + "<Process-Data process-type=\"1\">\n"
                                                  "<Parameter parameter-name=\"Depth\" parameter-type=\"double\" "
                                                  "parameter-data=\"1\"/>\n"
                                                  "</Process-Data>\n</Process-List>\n");
    const BatchProgramRun quiet = run({list, QStringLiteral("-o"), QStringLiteral("quiet.cvx")});
    EXPECT_EQ(quiet.exitCode, 0) << describe(quiet);
    EXPECT_FALSE(quiet.err.contains(QStringLiteral("Time to allocate Si structure"))) << describe(quiet);

    const BatchProgramRun verbose = run({list, QStringLiteral("-o"), QStringLiteral("verbose.cvx"), QStringLiteral("-v")});
    EXPECT_EQ(verbose.exitCode, 0) << describe(verbose);
    EXPECT_TRUE(verbose.err.contains(QStringLiteral("Time to allocate Si structure"))) << describe(verbose);
}

TEST_F(BatchProgramTest, AStartDocumentIsCarriedOn)
{
    ASSERT_EQ(run({write("first.plst", Header + substrate(12) + "</Process-List>\n"), QStringLiteral("-o"),
                   QStringLiteral("first.cvx")})
                  .exitCode,
              0);
    const BatchProgramRun result = run({write("more.plst", Header + cvd("2") + "</Process-List>\n"),
                                        QStringLiteral("-i"), QStringLiteral("first.cvx"), QStringLiteral("-o"),
                                        QStringLiteral("second.cvx")});
    EXPECT_EQ(result.exitCode, 0) << describe(result);

    Core::Operations::OperationContext first, second;
    const auto before = readVolume(first, folder.file(QStringLiteral("first.cvx")));
    const auto after = readVolume(second, folder.file(QStringLiteral("second.cvx")));
    ASSERT_TRUE(before && after);
    const auto oxide = [](const std::vector<std::uint32_t> &cells) { return std::count(cells.begin(), cells.end(), 3u); };
    EXPECT_EQ(oxide(before->materials()), 0);
    EXPECT_EQ(oxide(after->materials()), 12 * 12 * 2);
}

TEST_F(BatchProgramTest, TheSummaryNamesMaterialsTheCatalogueLacksByTheirIds)
{
    // A start document of 12 cells of material 77, which no catalogue
    // holds, 6 of silicon and 6 empty ones; the list adds a layer of oxide.
    Core::Operations::OperationContext start;
    start.document().addObject(TestSupport::filledVolume(
        2, 3, 4, [](unsigned x, unsigned, unsigned z) { return z >= 2 ? 0u : (x == 0 ? 77u : 1u); }));
    const auto saved = Core::Operations::DocumentFiles::save(folder.file(QStringLiteral("start.cvx")), start);
    ASSERT_TRUE(saved.ok) << saved.errorText.toStdString();
    const BatchProgramRun result = run({write("more.plst", Header + cvd("1") + "</Process-List>\n"),
                                        QStringLiteral("-i"), QStringLiteral("start.cvx"), QStringLiteral("-o"),
                                        QStringLiteral("out.cvx")});
    EXPECT_EQ(result.exitCode, 0) << describe(result);
    EXPECT_TRUE(result.err.contains(
        QStringLiteral("cell volume of 2 x 3 x 4 cells: 6 empty, 6 Si, 6 Thermal Si02, 6 Material 77\n")))
        << describe(result);
}

TEST_F(BatchProgramTest, ADamagedStartDocumentIsNamedAndNothingRuns)
{
    ASSERT_EQ(run({write("first.plst", Header + substrate(12) + "</Process-List>\n"), QStringLiteral("-o"),
                   QStringLiteral("first.cvx")})
                  .exitCode,
              0);
    const QByteArray whole = TempFolder::read(folder.file(QStringLiteral("first.cvx")));
    write("cut.cvx", whole.left(whole.indexOf("<State>") + 7 + 2 * 100));
    const BatchProgramRun result = run({write("more.plst", Header + cvd("2") + "</Process-List>\n"),
                                        QStringLiteral("-i"), QStringLiteral("cut.cvx"), QStringLiteral("-o"),
                                        QStringLiteral("out.cvx")});
    EXPECT_EQ(result.exitCode, 3) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("cut.cvx: The document ends early: 100 of 1 728 cells were read.")))
        << describe(result);
    EXPECT_EQ(TempFolder::read(folder.file(QStringLiteral("cut.cvx"))), whole.left(whole.indexOf("<State>") + 7 + 200));
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("out.cvx"))));
}

// Parts of a start document that cannot be read, while its volumes are
// whole: each is named in one line, the list runs, and the status tells
// that the document did not come whole.
TEST_F(BatchProgramTest, AStartDocumentWithObjectsSkippedRunsOnWithOneWarningEachAndExitsOne)
{
    const QByteArray header = "<?xml version=\"1.0\"?><Document><Header version=\"1\"/>";
    struct Case
    {
        const char *what;
        QByteArray document;
        const char *warning;
    };
    const Case cases[] = {
        {"only volume too large",
         header + "<Object object-type=\"1\" size-x=\"4000000000\" size-y=\"4000\" size-z=\"4000\"><State>1 </State>"
                  "</Object></Document>",
         "It was not loaded."},
        {"an unknown object", header + "<Object object-type=\"9\"/></Document>", "An object of type 9 was skipped"},
    };
    for (const Case &c : cases) {
        write("start.cvx", c.document);
        const BatchProgramRun result = run({write("list.plst", Header + substrate(6) + "</Process-List>\n"),
                                            QStringLiteral("-i"), QStringLiteral("start.cvx"), QStringLiteral("-o"),
                                            QStringLiteral("out.cvx")});
        EXPECT_EQ(result.exitCode, 1) << c.what << "\n" << describe(result);
        const QStringList warnings = result.err.split(QLatin1Char('\n')).filter(QStringLiteral("warning"), Qt::CaseInsensitive);
        ASSERT_EQ(warnings.size(), 1) << c.what << "\n" << describe(result);
        EXPECT_TRUE(warnings[0].startsWith(QStringLiteral("tessival-batch: start.cvx: WARNING: "))) << describe(result);
        EXPECT_TRUE(warnings[0].contains(QLatin1String(c.warning))) << describe(result);
        EXPECT_TRUE(result.err.contains(QStringLiteral("parts of start.cvx were skipped"))) << describe(result);
        EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("out.cvx")))) << c.what;
        QFile::remove(folder.file(QStringLiteral("out.cvx")));
    }
}

TEST_F(BatchProgramTest, ListsThatCannotRunEndWithAMessageAndWriteNothing)
{
    struct Case
    {
        const char *what;
        QByteArray list;
        const char *message;
    };
    const Case cases[] = {
        {"not XML", "a shopping list", "cannot be read as a process list: line 1"},
        {"another file", "<?xml version=\"1.0\"?>\n<Materials/>\n", "holds no \"Process-List\""},
        {"cut off", (Header + substrate(8)).left(300), "cannot be read as a process list: line"},
        {"no substrate", Header + cvd("2") + substrate(8) + "</Process-List>\n",
         "Missing Cell Volume: entry 1 (CVD) needs a cell volume"},
        {"huge substrate", Header + substrate(4000000000u) + cvd("2") + "</Process-List>\n", "Missing Cell Volume: entry 2"},
    };
    for (const Case &c : cases) {
        const BatchProgramRun result = run({write("bad.plst", c.list), QStringLiteral("-o"), QStringLiteral("out.cvx")});
        EXPECT_FALSE(result.crashed) << c.what;
        EXPECT_EQ(result.exitCode, 3) << c.what << "\n" << describe(result);
        EXPECT_TRUE(result.err.contains(QLatin1String(c.message))) << c.what << "\n" << describe(result);
        EXPECT_TRUE(result.err.contains(QStringLiteral("bad.plst"))) << c.what << "\n" << describe(result);
        EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("out.cvx")))) << c.what;
    }
    const BatchProgramRun huge = run({folder.file(QStringLiteral("bad.plst")), QStringLiteral("-o"), QStringLiteral("out.cvx")});
    EXPECT_TRUE(huge.err.contains(QStringLiteral("[1/2] Create Substrate: not run: A cell volume of 4000000000 x")))
        << describe(huge);
}

TEST_F(BatchProgramTest, EntriesThatCannotRunAreNamedAndTheRestIsWritten)
{
    const QString list = write("gaps.plst", Header + substrate(10) + cvd(QByteArray()) + cvd("many")
                                                + "<Process-Data process-type=\"16\"/>\n" + cvd("1") + "</Process-List>\n");
    const BatchProgramRun result = run({list, QStringLiteral("-o"), QStringLiteral("out.cvx")});
    EXPECT_EQ(result.exitCode, 1) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("[2/5] CVD: not run: parameter \"Thickness\" is missing")))
        << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("[3/5] CVD: not run: parameter \"Thickness\" cannot be used")))
        << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("[4/5] Unknown process: not run: unknown process type 16")))
        << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("[5/5] CVD: done in"))) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("3 entries were not run"))) << describe(result);

    Core::Operations::OperationContext written;
    const auto volume = readVolume(written, folder.file(QStringLiteral("out.cvx")));
    ASSERT_TRUE(volume);
    const auto cells = volume->materials();
    EXPECT_EQ(std::count(cells.begin(), cells.end(), 3u), 10 * 10) << "one cell of oxide from the last entry";
}

// A misspelt entry is a step fewer: the element is named with its line,
// the entries around it run, the document is written, and the exit status
// says that the run was not the whole list.
TEST_F(BatchProgramTest, AnElementThatIsNotPartOfAListIsNamedAndTheRunEndsWithStatusOne)
{
    const QByteArray misspelt = cvd("1").replace("Process-Data", "Process-Step");
    const QString list = write("misspelt.plst", Header + substrate(10) + misspelt + cvd("1") + "</Process-List>\n");
    const int line = (Header + substrate(10)).count('\n') + 1;
    const BatchProgramRun result = run({list, QStringLiteral("-o"), QStringLiteral("out.cvx")});
    EXPECT_EQ(result.exitCode, 1) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("%1: line %2: unknown element <Process-Step> skipped\n")
                                        .arg(list)
                                        .arg(line)))
        << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("ran 2 of 2 entries"))) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("1 element of the list was not understood and skipped")))
        << describe(result);
    Core::Operations::OperationContext written;
    const auto volume = readVolume(written, folder.file(QStringLiteral("out.cvx")));
    ASSERT_TRUE(volume) << "the document is still written";
    const auto cells = volume->materials();
    EXPECT_EQ(std::count(cells.begin(), cells.end(), 3u), 10 * 10) << "one cell of oxide from the entry that ran";
}

// The list types of directional deposition, doping, implantation and
// oxidation, as files name their parameters and value types.
TEST_F(BatchProgramTest, DepositionDopingImplantationAndOxidationEntriesRun)
{
    const auto parameter = [](const char *name, const char *type, const char *data) {
        return QByteArray("<Parameter parameter-name=\"") + name + "\" parameter-type=\"" + type
            + "\" parameter-data=\"" + data + "\"/>\n";
    };
    const QByteArray entries =
        "<Process-Data process-type=\"8\">\n" + parameter("Doping Depth", "float", "1")
        + parameter("DopedMaterialId", "uint", "14") + "</Process-Data>\n<Process-Data process-type=\"14\">\n"
        + parameter("Annealing Distance", "float", "0") + parameter("Implantation Depth", "float", "3")
        + parameter("DopedMaterialId", "uint", "15") + "</Process-Data>\n<Process-Data process-type=\"12\">\n"
        + parameter("Thickness", "double", "1") + parameter("MaterialId", "uint", "4")
        + parameter("DepositOn", "int", "1") + parameter("Horizontal to Vertical Ratio", "double", "1")
        + "</Process-Data>\n<Process-Data process-type=\"15\">\n" + parameter("OxidationTimeSet", "bool", "false")
        + parameter("Micron Conversion", "double", "100") + parameter("Oxidation Thickness", "double", "0.02")
        + "</Process-Data>\n";
    const QString list = write("flow.plst", Header + substrate(8) + entries + "</Process-List>\n");
    const BatchProgramRun result = run({list, QStringLiteral("-o"), QStringLiteral("out.cvx")});
    EXPECT_EQ(result.exitCode, 0) << describe(result);
    for (const char *done : {"[2/5] Doping: done", "[3/5] Ion Implantation: done", "[4/5] PVD: done",
                             "[5/5] Si Oxidation: done"})
        EXPECT_TRUE(result.err.contains(QLatin1String(done))) << done << "\n" << describe(result);

    // From the bottom: silicon, the implanted layer, the doped top under
    // aluminium, which no oxide reaches.
    Core::Operations::OperationContext written;
    const auto volume = readVolume(written, folder.file(QStringLiteral("out.cvx")));
    ASSERT_TRUE(volume);
    const auto cells = volume->materials();
    const std::vector<std::uint32_t> column(cells.begin() + volume->cellIndex(4, 4, 0),
                                            cells.begin() + volume->cellIndex(4, 4, 6));
    EXPECT_EQ(column, (std::vector<std::uint32_t>{1, 15, 1, 14, 4, 0}));
}

// Mask bits that do not fill their mask would develop all of the resist:
// such an entry is named and not run.
TEST_F(BatchProgramTest, PhotolithographyEntriesDevelopThroughTheirMasks)
{
    const QString list = write("lithography.plst", Header + substrate(6) + photolithography("101", 2, 3)
                                                        + photolithography("110000", 2, 3) + "</Process-List>\n");
    const BatchProgramRun result = run({list, QStringLiteral("-o"), QStringLiteral("out.cvx")});
    EXPECT_EQ(result.exitCode, 1) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral(
        "[2/3] Photolithography: not run: parameter \"Top Mask\" cannot be used: it holds 3 flags for a 2 x 3 mask")))
        << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("[3/3] Photolithography: done in"))) << describe(result);

    Core::Operations::OperationContext written;
    const auto volume = readVolume(written, folder.file(QStringLiteral("out.cvx")));
    ASSERT_TRUE(volume);
    const auto cells = volume->materials();
    EXPECT_EQ(std::count(cells.begin(), cells.end(), 1u), 2 * 4) << "only the two covered columns keep their silicon";
    EXPECT_EQ(cells[volume->cellIndex(0, 1, 3)], 1u);
    EXPECT_EQ(cells[volume->cellIndex(1, 0, 3)], 0u);
}

// An entry that ran but changed nothing (a resist the wafer does not hold)
// says so on its line; the run still counts as done.
TEST_F(BatchProgramTest, AnEntryThatChangedNoCellSaysSoOnItsLine)
{
    const QString list = write("nothing.plst", Header + substrate(6) + photolithography("110000", 2, 3, "11")
                                                   + "</Process-List>\n");
    const BatchProgramRun result = run({list, QStringLiteral("-o"), QStringLiteral("out.cvx")});
    EXPECT_EQ(result.exitCode, 0) << describe(result);
    EXPECT_TRUE(result.err.contains(QRegularExpression(
        QStringLiteral("\\[2/2\\] Photolithography: done in [0-9.]+ s\\. No cell changed\\.\n"))))
        << describe(result);
    EXPECT_EQ(result.err.count(QStringLiteral("No cell changed.")), 1) << "the new substrate is a change";
}

TEST_F(BatchProgramTest, BadCommandLinesAndPathsAreRefused)
{
    const QString list = write("ok.plst", Header + substrate(6) + "</Process-List>\n");
    struct Case
    {
        QStringList arguments;
        int exitCode;
        const char *message;
    };
    const Case cases[] = {
        {{list}, 2, "no output document given"},
        {{QStringLiteral("-o"), QStringLiteral("out.cvx")}, 2, "no process list given"},
        {{list, QStringLiteral("-o")}, 2, "-o needs a value"},
        {{list, QStringLiteral("-o"), QStringLiteral("out.cvx"), QStringLiteral("--threads"), QStringLiteral("0")}, 2,
         "--threads needs a whole number"},
        {{list, QStringLiteral("--fast"), QStringLiteral("-o"), QStringLiteral("out.cvx")}, 2, "unknown option --fast"},
        {{list, list, QStringLiteral("-o"), QStringLiteral("out.cvx")}, 2, "one too many"},
        {{QStringLiteral("absent.plst"), QStringLiteral("-o"), QStringLiteral("out.cvx")}, 3,
         "absent.plst: cannot be read as a process list"},
        {{list, QStringLiteral("-o"), QStringLiteral("no/such/folder/out.cvx")}, 3, "does not exist"},
        {{list, QStringLiteral("-o"), folder.path()}, 3, "is a folder"},
        {{list, QStringLiteral("-i"), QStringLiteral("absent.cvx"), QStringLiteral("-o"), QStringLiteral("out.cvx")}, 3,
         "absent.cvx"},
    };
    for (const Case &c : cases) {
        const BatchProgramRun result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments.join(QLatin1Char(' ')).toStdString() << "\n" << describe(result);
        EXPECT_TRUE(result.err.contains(QLatin1String(c.message)))
            << c.arguments.join(QLatin1Char(' ')).toStdString() << "\n" << describe(result);
    }
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("out.cvx"))));

    const BatchProgramRun help = run({QStringLiteral("-h")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: tessival-batch LIST.plst -o RESULT.cvx")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("Exit status")));

    // One table of exit statuses: the README shows the help's, line by line.
    QFile readme(QStringLiteral(TESSIVAL_EXAMPLES_DIR "/../README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString shown = QString::fromUtf8(readme.readAll());
    const QString table = help.out.mid(help.out.indexOf(QStringLiteral("Exit status:")));
    for (const QString &line : table.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        EXPECT_TRUE(shown.contains(QStringLiteral("    ") + line + QLatin1Char('\n'))) << line.toStdString();
}

namespace {

// What a terminal shows of a child process running on it, read until
// `until` has been shown (true) or the child has closed the terminal.
bool readTerminal(int terminal, QByteArray &shown, const std::function<bool(const QByteArray &)> &until)
{
    char buffer[4096];
    while (!until || !until(shown)) {
        pollfd ready = {terminal, POLLIN, 0};
        // Long enough for any machine; only a hung child ever reaches it.
        if (::poll(&ready, 1, 300000) <= 0)
            return false;
        const ssize_t count = ::read(terminal, buffer, sizeof buffer);
        if (count <= 0)
            return !until; // the child is gone
        shown.append(buffer, int(count));
    }
    return true;
}

int exitStatusOf(pid_t child)
{
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

// Invariants: Ctrl-C stops the running process at its next step (or, when
// it comes as an entry ends, the run before the next entry), the program
// then ends with status 130, says so, and writes no document.
TEST_F(BatchProgramTest, CtrlCOnATerminalStopsTheLiveStepAndWritesNothing)
{
    const QByteArray list = write("long.plst", longList()).toLocal8Bit();
    const QByteArray output = folder.file(QStringLiteral("never.cvx")).toLocal8Bit();
    const QByteArray program = TESSIVAL_BATCH_PROGRAM;
    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::execl(program.constData(), "tessival-batch", list.constData(), "-o", output.constData(), nullptr);
        ::_exit(127);
    }
    QByteArray shown;
    const QByteArray entries = QByteArray::number(LongListEntries);
    const bool live = readTerminal(terminal, shown, [&entries](const QByteArray &text) {
        const int line = text.lastIndexOf("/" + entries + "] Si wet etching ... ");
        return line >= 0 && text.indexOf(": step ", line) > line;
    });
    ::kill(child, SIGINT);
    readTerminal(terminal, shown, nullptr);
    ::close(terminal);
    EXPECT_TRUE(live) << shown.toStdString();
    EXPECT_EQ(exitStatusOf(child), 130) << shown.toStdString();
    const QByteArray stopped = "tessival-batch: interrupted at entry ";
    const int at = shown.indexOf(stopped);
    ASSERT_GE(at, 0) << shown.toStdString();
    const int entry = shown.mid(at + stopped.size()).split(' ').front().toInt();
    EXPECT_GT(entry, 3) << shown.toStdString();
    EXPECT_LT(entry, LongListEntries) << shown.toStdString();
    const QByteArray last = "[" + QByteArray::number(entry) + "/" + entries + "] ";
    const int line = shown.lastIndexOf(last);
    ASSERT_GE(line, 0) << shown.toStdString();
    const QByteArray outcome = shown.mid(line).split('\n').front();
    EXPECT_TRUE(outcome.contains(": interrupted") || outcome.contains(": done in")) << outcome.toStdString();
    EXPECT_FALSE(shown.contains("[" + QByteArray::number(entry + 1) + "/" + entries + "]")) << "no entry after it";
    EXPECT_TRUE(shown.contains(" of " + entries + "; nothing was written to ")) << shown.toStdString();
    EXPECT_FALSE(QFileInfo::exists(QString::fromLocal8Bit(output)));
}

TEST_F(BatchProgramTest, CtrlCWithoutATerminalAlsoWritesNothing)
{
    const QString list = write("long.plst", longList());
    const QString output = folder.file(QStringLiteral("never.cvx"));
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.setReadChannel(QProcess::StandardError);
    process.start(QStringLiteral(TESSIVAL_BATCH_PROGRAM), {list, QStringLiteral("-o"), output});
    ASSERT_TRUE(process.waitForStarted());
    QByteArray err;
    // The third entry's line: the long ones are running now.
    const QByteArray entries = QByteArray::number(LongListEntries);
    while (!err.contains("[3/" + entries + "] Photolithography: done") && process.waitForReadyRead(300000))
        err += process.readAllStandardError();
    // Never 0: that would be this test's whole process group.
    ASSERT_GT(process.processId(), 0) << err.toStdString();
    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(300000));
    err += process.readAllStandardError();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 130) << err.toStdString();
    // Entry 3 when the signal came before the fourth one started.
    EXPECT_TRUE(err.contains("tessival-batch: interrupted at entry ")) << err.toStdString();
    EXPECT_TRUE(err.contains(" of " + entries + "; nothing was written to ")) << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(output));
}

TEST_F(BatchProgramTest, NetlistOfTheResultingVolumeIsWrittenWithDecimalPoints)
{
    {
        Core::Operations::OperationContext context;
        context.document().addObject(boost::make_shared<Model::Automaton::TotalVolume>(
            20, 5, 6, 1, 1, 1, Util::Vector3D(), TestSupport::anchoredBeam()));
        ASSERT_TRUE(Core::Operations::DocumentFiles::save(folder.file(QStringLiteral("beam.cvx")), context).ok);
    }
    const QString empty = write("empty.plst", Header + "</Process-List>\n");
    const BatchProgramRun result =
        BatchProgramRun::start(folder.path(),
                               {empty, QStringLiteral("-i"), QStringLiteral("beam.cvx"), QStringLiteral("-o"),
                                QStringLiteral("out.cvx"), QStringLiteral("--netlist"), QStringLiteral("beam.cir")},
                               false, {QStringLiteral("LC_ALL=de_DE.UTF-8"), QStringLiteral("LANG=de_DE.UTF-8")});
    EXPECT_EQ(result.exitCode, 0) << describe(result);
    EXPECT_TRUE(result.err.contains(QStringLiteral("wrote the netlist of 1 cantilever to beam.cir"))) << describe(result);
    // The catalogue's aluminium; lengths in metres, a cell of the default
    // unit being the cube of 2.00129819772e-17 m^3.
    const double edge = std::cbrt(2.00129819772e-17);
    const double mass = 8.0 * 3 * 2 * 2.00129819772e-17 * 2700 * 33 / 140;
    const double compliance =
        std::pow(8 * edge, 3) / (3 * double(7e10f) * (3 * edge * std::pow(2 * edge, 3) / 12));
    const QByteArray text = TempFolder::read(folder.file(QStringLiteral("beam.cir")));
    EXPECT_TRUE(text.startsWith("Model extracted by Tessival\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nc1 1 0 " + QByteArray::number(mass, 'g', 6) + " \nl1 1 0 "
                              + QByteArray::number(compliance, 'g', 6) + " \n.end \n"))
        << text.toStdString();
}

TEST_F(BatchProgramTest, NetlistThatCannotBeWrittenIsExplained)
{
    const QString list = write("flat.plst", Header + substrate(6) + "</Process-List>\n");
    // No cantilever: the document is written, the netlist is not.
    const BatchProgramRun flat = run({list, QStringLiteral("-o"), QStringLiteral("flat.cvx"), QStringLiteral("--netlist"),
                                      QStringLiteral("flat.cir")});
    EXPECT_EQ(flat.exitCode, 1) << describe(flat);
    EXPECT_TRUE(flat.err.contains(QStringLiteral("flat.cir: not written: no cantilever was found"))) << describe(flat);
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("flat.cvx"))));
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("flat.cir"))));

    const BatchProgramRun missing = run({list, QStringLiteral("-o"), QStringLiteral("a.cvx"), QStringLiteral("--netlist"),
                                         QStringLiteral("no/such/folder/a.cir")});
    EXPECT_EQ(missing.exitCode, 3) << describe(missing);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("does not exist"))) << describe(missing);
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("a.cvx"))));

    const BatchProgramRun same = run({list, QStringLiteral("-o"), QStringLiteral("b.cvx"), QStringLiteral("--netlist"),
                                      QStringLiteral("b.cvx")});
    EXPECT_EQ(same.exitCode, 2) << describe(same);
    EXPECT_TRUE(same.err.contains(QStringLiteral("cannot be the same file"))) << describe(same);

    const BatchProgramRun help = run({QStringLiteral("--help")});
    EXPECT_TRUE(help.out.contains(QStringLiteral("--netlist FILE"))) << help.out.toStdString();
}

// A wet etch in a list whose start document has cells too small for the Si
// lattice is named as not run, with the cell sizes that serve; the same
// silicon in cells of edge 2 is etched. The exit status tells the entry
// that did not run.
TEST_F(BatchProgramTest, AWetEtchOnCellsTooSmallForTheLatticeIsNotRunAndSaysWhichSizesServe)
{
    const QByteArray wetEtch = "<Process-Data process-type=\"1\">\n"
                               "<Parameter parameter-name=\"Depth\" parameter-type=\"double\" parameter-data=\"2\"/>\n"
                               "</Process-Data>\n";
    const QString list = write("etch.plst", Header + wetEtch + "</Process-List>\n");
    std::vector<std::uint32_t> cells(12 * 12 * 12, 0);
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = i % 12 < 6 ? 1u : 0u;
    for (const float edge : {0.5f, 2.0f}) {
        {
            Core::Operations::OperationContext context;
            context.document().addObject(boost::make_shared<Model::Automaton::TotalVolume>(
                12, 12, 12, edge, edge, edge, Util::Vector3D(), cells));
            ASSERT_TRUE(Core::Operations::DocumentFiles::save(folder.file(QStringLiteral("start.cvx")), context).ok);
        }
        const BatchProgramRun result =
            run({list, QStringLiteral("-i"), QStringLiteral("start.cvx"), QStringLiteral("-o"), QStringLiteral("out.cvx")});
        Core::Operations::OperationContext written;
        const auto volume = readVolume(written, folder.file(QStringLiteral("out.cvx")));
        ASSERT_TRUE(volume) << describe(result);
        if (edge < 1.0f) {
            EXPECT_EQ(result.exitCode, 1) << describe(result);
            EXPECT_TRUE(result.err.contains(QStringLiteral(
                "[1/1] Si wet etching: not run: Cells of 0.5 x 0.5 x 0.5 units are too small for the Si lattice: ")))
                << describe(result);
            EXPECT_TRUE(result.err.contains(QStringLiteral(
                "Cells at least 0.71 units wide in x and y and 0.25 units high always hold atoms.")))
                << describe(result);
            EXPECT_EQ(volume->materials(), cells);
        } else {
            EXPECT_EQ(result.exitCode, 0) << describe(result);
            EXPECT_NE(volume->materials(), cells);
        }
    }
}
