// What the batch program refuses before anything runs, with exit status 2
// and a message that names the options concerned. Invariants checked:
// - no two outputs are one file, and no output is the list or the start
//   document, however the paths are spelled; nothing is written then;
// - a --set value that the run would refuse (out of its parameter's range,
//   not finite, a material id 0) ends the program before the first entry;
// - a material given by name with --set is the catalogue's material of that
//   name, and an unknown name or id is refused, never ignored.
#include "BatchEntries.h"
#include "BatchProgramRun.h"
#include "TempFolder.h"

#include "UI/BatchRun/ProcessListArchiver.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

using TestSupport::BatchProgramRun;
using TestSupport::TempFolder;
using Ui::ProcessData;

namespace {

std::string describe(const BatchProgramRun &run)
{
    return "exit " + std::to_string(run.exitCode) + "\nstderr:\n" + run.err.toStdString();
}

ProcessData entry(int type, const std::vector<std::pair<const char *, QVariant>> &parameters)
{
    ProcessData made(type);
    for (const auto &parameter : parameters)
        made.setParameter(QLatin1String(parameter.first), parameter.second);
    return made;
}

// 1 a silicon box, 2 its doped skin, 3 one cell of oxide over it, 4 planarization
// between 2 and 7, 5 oxidation by time, too short to oxidize a cell.
std::list<ProcessData> flow()
{
    return {
        TestSupport::substrateEntry(12, 10, 8),
        entry(ProcessData::Doping, {{"Doping Depth", 1.0f}, {"DopedMaterialId", 14u},
                                    {"Doped Material", QStringLiteral("N-doped Si (100)")},
                                    {"Doped Material_Color", QColor(255, 255, 170)}}),
        entry(ProcessData::Cvd, {{"Thickness", 1.0}, {"MaterialId", 3u}, {"Material", QStringLiteral("Thermal Si02")},
                                 {"Material_Color", QColor(127, 127, 255)}}),
        entry(ProcessData::Planarization, {{"Maximum Height", 7u}, {"Minimum Height", 2u}}),
        entry(ProcessData::SiOxidation, {{"OxidationTimeSet", true}, {"OxidationThicknessSet", false},
                                         {"Micron Conversion", 10.0}, {"Oxidation Pressure", 1.0},
                                         {"Oxidation Temperature", 1273.0}, {"Oxidation Time", 0.1},
                                         {"Oxidation Thickness", 0.01}}),
    };
}

class BatchOptionChecksTest : public ::testing::Test
{
protected:
    BatchOptionChecksTest()
    {
        std::list<ProcessData> entries = flow();
        EXPECT_TRUE(Ui::ProcessListArchiver(entries).saveProcessList(folder.file(QStringLiteral("flow.plst"))));
    }

    BatchProgramRun run(const QStringList &arguments) { return BatchProgramRun::start(folder.path(), arguments); }
    BatchProgramRun runFlow(const QStringList &arguments) { return run(QStringList{"flow.plst"} + arguments); }
    bool exists(const QString &name) const { return QFileInfo::exists(folder.file(name)); }

    TempFolder folder;
};

} // namespace

TEST_F(BatchOptionChecksTest, SetValuesTheRunWouldRefuseEndTheProgramBeforeAnyEntry)
{
    const char *settings[] = {
        "1:Lower Left Front Corner=nan;inf;0",
        "1:MaterialId=0",
        "3:Thickness=-1",
        "3:Thickness=1e300",
        "2:Doping Depth=1e300",
        "2:Doping Depth=-0.5",
        "2:DopedMaterialId=0",
        "4:Minimum Height=8",
        "4:Maximum Height=1",
        "5:Oxidation Pressure=-1",
        "5:Oxidation Temperature=-300",
        "5:Oxidation Temperature=0",
        "5:Oxidation Time=-2",
        "5:Micron Conversion=0",
    };
    for (const char *setting : settings) {
        SCOPED_TRACE(setting);
        const BatchProgramRun result = runFlow({"-o", "out.cvx", "--set", setting});
        EXPECT_EQ(result.exitCode, 2) << describe(result);
        EXPECT_TRUE(result.err.contains(QStringLiteral("--set ") + QLatin1String(setting) + QLatin1Char(':')))
            << describe(result);
        EXPECT_FALSE(result.err.contains(QStringLiteral("[1/5]"))) << "nothing ran\n" << describe(result);
        EXPECT_FALSE(exists(QStringLiteral("out.cvx")));
    }

    // The same parameters within their ranges, and a pair of heights that
    // only together keep the minimum at or below the maximum.
    const BatchProgramRun fine =
        runFlow({"-o", "out.cvx", "--set", "3:Thickness=0", "--set", "4:Minimum Height=7", "--set",
                 "4:Maximum Height=8", "--set", "5:Oxidation Temperature=1000", "--set", "2:Doping Depth=0.5"});
    EXPECT_EQ(fine.exitCode, 0) << describe(fine);
    EXPECT_TRUE(exists(QStringLiteral("out.cvx")));
}

TEST_F(BatchOptionChecksTest, MaterialsSetByNameOrIdAreTheCatalogueOnes)
{
    const BatchProgramRun byName = runFlow({"-o", "name.cvx", "--set", "3:Material=Al (bulk)"});
    EXPECT_EQ(byName.exitCode, 0) << describe(byName);
    EXPECT_TRUE(byName.err.contains(QStringLiteral(" Al (bulk)"))) << describe(byName);
    EXPECT_FALSE(byName.err.contains(QStringLiteral("Thermal Si02"))) << "no oxide deposited\n" << describe(byName);

    const BatchProgramRun doped = runFlow({"-o", "doped.cvx", "--set", "2:Doped Material=P-doped Si (100)"});
    EXPECT_EQ(doped.exitCode, 0) << describe(doped);
    EXPECT_TRUE(doped.err.contains(QStringLiteral(" P-doped Si (100)"))) << describe(doped);
    EXPECT_FALSE(doped.err.contains(QStringLiteral("N-doped Si (100)"))) << describe(doped);

    const BatchProgramRun byId = runFlow({"-o", "id.cvx", "--set", "3:MaterialId=4"});
    EXPECT_EQ(byId.exitCode, 0) << describe(byId);
    EXPECT_TRUE(byId.err.contains(QStringLiteral(" Al (bulk)"))) << describe(byId);

    // The last setting of one choice decides, whichever of its parameters.
    const BatchProgramRun last = runFlow({"-o", "last.cvx", "--set", "3:Material=Cu (bulk)", "--set", "3:MaterialId=4"});
    EXPECT_EQ(last.exitCode, 0) << describe(last);
    EXPECT_TRUE(last.err.contains(QStringLiteral(" Al (bulk)"))) << describe(last);
    EXPECT_FALSE(last.err.contains(QStringLiteral("Cu (bulk)"))) << describe(last);

    struct Refused
    {
        const char *setting;
        const char *message;
    };
    const Refused refused[] = {
        {"3:Material=Unobtainium", "--set 3:Material=Unobtainium: the material catalogue has no material named "
                                   "\"Unobtainium\" (it has: Si, "},
        {"3:Material=al (bulk)", "has no material named \"al (bulk)\""},
        {"2:Doped Material=", "has no material named \"\""},
        {"3:MaterialId=999", "--set 3:MaterialId=999: the material catalogue has no material 999"},
    };
    for (const Refused &r : refused) {
        SCOPED_TRACE(r.setting);
        const BatchProgramRun result = runFlow({"-o", "out.cvx", "--set", r.setting});
        EXPECT_EQ(result.exitCode, 2) << describe(result);
        EXPECT_TRUE(result.err.contains(QLatin1String(r.message))) << describe(result);
        EXPECT_FALSE(exists(QStringLiteral("out.cvx")));
    }
}

namespace {

// An output option, as the command line gives it.
struct OutputOption
{
    const char *shown; // how messages name it, before the file
    std::function<QStringList(const QString &file)> arguments;
    bool repeatable;
};

const OutputOption Outputs[] = {
    {"-o", [](const QString &f) { return QStringList{"-o", f}; }, false},
    {"--netlist", [](const QString &f) { return QStringList{"--netlist", f}; }, false},
    {"--export", [](const QString &f) { return QStringList{"--export", f}; }, true},
    {"--section y=1", [](const QString &f) { return QStringList{"--section", "y=1", f}; }, true},
};

} // namespace

// Every pair of outputs, with the same file spelled in other ways, and each
// output naming the list or the start document: refused with both options
// named, nothing written, the inputs as they were.
TEST_F(BatchOptionChecksTest, TwoOutputsOrAnOutputAndAnInputThatAreOneFileAreRefused)
{
    // Every option takes a name ending in .vtp, as --export needs one.
    const QByteArray list = TempFolder::read(folder.file(QStringLiteral("flow.plst")));
    ASSERT_TRUE(TempFolder::write(folder.file(QStringLiteral("list.vtp")), list));
    ASSERT_TRUE(TempFolder::write(folder.file(QStringLiteral("start.vtp")), "not read"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("sub")));
    const QString spellings[] = {QStringLiteral("same.vtp"), QStringLiteral("./same.vtp"),
                                 QStringLiteral("sub/../same.vtp"), folder.file(QStringLiteral("same.vtp"))};
    const auto refused = [&](const QStringList &arguments, const QString &one, const QString &other) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const BatchProgramRun result = run(arguments);
        EXPECT_EQ(result.exitCode, 2) << describe(result);
        EXPECT_TRUE(result.err.contains(one + QStringLiteral(" and ") + other + QStringLiteral(" cannot be the same file")))
            << describe(result);
        for (const char *written : {"same.vtp", "out.cvx"})
            EXPECT_FALSE(exists(QLatin1String(written))) << written;
        EXPECT_EQ(TempFolder::read(folder.file(QStringLiteral("list.vtp"))), list);
        EXPECT_EQ(TempFolder::read(folder.file(QStringLiteral("start.vtp"))), QByteArray("not read"));
    };

    const int count = int(std::size(Outputs));
    int pairs = 0;
    for (int a = 0; a < count; ++a) {
        for (int b = a; b < count; ++b) {
            if (a == b && !Outputs[a].repeatable)
                continue;
            const QString one = spellings[std::size_t(pairs) % std::size(spellings)];
            const QString other = spellings[std::size_t(pairs + 1) % std::size(spellings)];
            ++pairs;
            QStringList arguments{QStringLiteral("list.vtp")};
            arguments += Outputs[a].arguments(one);
            arguments += Outputs[b].arguments(other);
            if (a != 0)
                arguments += QStringList{"-o", "out.cvx"};
            refused(arguments, QLatin1String(Outputs[a].shown) + QLatin1Char(' ') + one,
                    QLatin1String(Outputs[b].shown) + QLatin1Char(' ') + other);
        }
    }
    EXPECT_EQ(pairs, 8);

    for (const OutputOption &output : Outputs) {
        const QString listPath = folder.file(QStringLiteral("list.vtp"));
        QStringList arguments{QStringLiteral("list.vtp")};
        arguments += output.arguments(listPath);
        if (QLatin1String(output.shown) != "-o")
            arguments += QStringList{"-o", "out.cvx"};
        refused(arguments, QStringLiteral("the process list list.vtp"),
                QLatin1String(output.shown) + QLatin1Char(' ') + listPath);

        arguments = QStringList{"list.vtp", "-i", "start.vtp"} + output.arguments(QStringLiteral("./start.vtp"));
        if (QLatin1String(output.shown) != "-o")
            arguments += QStringList{"-o", "out.cvx"};
        refused(arguments, QStringLiteral("-i start.vtp"), QLatin1String(output.shown) + QStringLiteral(" ./start.vtp"));
    }

    // A link is the file it leads to.
    ASSERT_TRUE(QFile::link(QStringLiteral("start.vtp"), folder.file(QStringLiteral("alias.vtp"))));
    refused({"list.vtp", "-i", "start.vtp", "-o", "out.cvx", "--export", "alias.vtp"}, QStringLiteral("-i start.vtp"),
            QStringLiteral("--export alias.vtp"));
}

// An OBJ export also writes its MTL beside it: that file is an output too.
TEST_F(BatchOptionChecksTest, TheColoursOfAnObjExportAreAnOutputToo)
{
    const BatchProgramRun document = runFlow({"-o", "shape.mtl", "--export", "shape.obj"});
    EXPECT_EQ(document.exitCode, 2) << describe(document);
    EXPECT_TRUE(document.err.contains(QStringLiteral("-o shape.mtl"))) << describe(document);
    EXPECT_TRUE(document.err.contains(QStringLiteral("--export shape.obj"))) << describe(document);

    const BatchProgramRun twice = runFlow({"-o", "out.cvx", "--export", "shape.obj", "--export", "shape.OBJ"});
    EXPECT_EQ(twice.exitCode, 2) << describe(twice);
    EXPECT_TRUE(twice.err.contains(QStringLiteral("shape.mtl"))) << describe(twice);
    for (const char *name : {"shape.mtl", "shape.obj", "shape.OBJ", "out.cvx"})
        EXPECT_FALSE(exists(QLatin1String(name))) << name;

    const BatchProgramRun apart = runFlow({"-o", "out.cvx", "--export", "shape.obj", "--export", "shape.vtp"});
    EXPECT_EQ(apart.exitCode, 0) << describe(apart);
}

// "Save Image" entries write the file the list names: one that is also an
// output of the command line, the list or the start document is refused;
// two entries may name one file, as in the window, each picture replacing
// the one before.
TEST_F(BatchOptionChecksTest, SaveImageEntriesThatNameAnOutputOrAnInputAreRefused)
{
    std::list<ProcessData> entries{TestSupport::substrateEntry(12, 10, 8),
                                   entry(ProcessData::SaveImage, {{"Filename", QStringLiteral("picture.png")}}),
                                   entry(ProcessData::SaveImage, {{"Filename", QStringLiteral("./picture.png")}})};
    ASSERT_TRUE(Ui::ProcessListArchiver(entries).saveProcessList(folder.file(QStringLiteral("images.plst"))));

    const BatchProgramRun document = run({"images.plst", "-o", "picture.png"});
    EXPECT_EQ(document.exitCode, 2) << describe(document);
    EXPECT_TRUE(document.err.contains(QStringLiteral("-o picture.png and entry 2 (Save Image picture.png) cannot be "
                                                     "the same file")))
        << describe(document);

    const BatchProgramRun section = run({"images.plst", "-o", "out.cvx", "--section", "x=1", "picture.png"});
    EXPECT_EQ(section.exitCode, 2) << describe(section);
    EXPECT_TRUE(section.err.contains(QStringLiteral("--section x=1 picture.png"))) << describe(section);
    EXPECT_FALSE(exists(QStringLiteral("out.cvx")));

    entries.back().setParameter(QStringLiteral("Filename"), QStringLiteral("images.plst"));
    ASSERT_TRUE(Ui::ProcessListArchiver(entries).saveProcessList(folder.file(QStringLiteral("images.plst"))));
    const QByteArray list = TempFolder::read(folder.file(QStringLiteral("images.plst")));
    const BatchProgramRun itself = run({"images.plst", "-o", "out.cvx"});
    EXPECT_EQ(itself.exitCode, 2) << describe(itself);
    EXPECT_TRUE(itself.err.contains(QStringLiteral("the process list images.plst and entry 3 (Save Image "
                                                   "images.plst) cannot be the same file")))
        << describe(itself);
    EXPECT_EQ(TempFolder::read(folder.file(QStringLiteral("images.plst"))), list);

    // Without a display both pictures are skipped; the run itself is allowed.
    entries.back().setParameter(QStringLiteral("Filename"), QStringLiteral("picture.png"));
    ASSERT_TRUE(Ui::ProcessListArchiver(entries).saveProcessList(folder.file(QStringLiteral("images.plst"))));
    const BatchProgramRun twice = run({"images.plst", "-o", "out.cvx"});
    EXPECT_EQ(twice.exitCode, 1) << describe(twice);
    EXPECT_TRUE(exists(QStringLiteral("out.cvx")));
}

// Outputs named only after the run, an STL's bodies ("part-<material>.stl")
// and a series' steps ("step-NNN-<process>.vti" and "flow.pvd"), are
// claimed before it by the start and end of their names.
TEST_F(BatchOptionChecksTest, TheBodiesOfAnStlAndTheStepsOfASeriesAreOutputsToo)
{
    const BatchProgramRun bodies = runFlow({"-o", "out.cvx", "--export", "part.stl", "--export", "part-Si.stl"});
    EXPECT_EQ(bodies.exitCode, 2) << describe(bodies);
    EXPECT_TRUE(bodies.err.contains(QStringLiteral("--export part.stl"))) << describe(bodies);
    EXPECT_TRUE(bodies.err.contains(QStringLiteral("--export part-Si.stl"))) << describe(bodies);

    const BatchProgramRun step = runFlow({"-o", "out.cvx", "--series", "steps", "--export", "steps/step-002-CVD.vti"});
    EXPECT_EQ(step.exitCode, 2) << describe(step);
    EXPECT_TRUE(step.err.contains(QStringLiteral("--series steps"))) << describe(step);
    const BatchProgramRun collection = runFlow({"-o", "out.cvx", "--series", "./steps/", "--netlist", "steps/flow.pvd"});
    EXPECT_EQ(collection.exitCode, 2) << describe(collection);
    EXPECT_FALSE(exists(QStringLiteral("out.cvx")));
    EXPECT_FALSE(exists(QStringLiteral("steps")));

    // Other names beside them are free.
    const BatchProgramRun apart = runFlow({"-o", "out.cvx", "--export", "part.stl", "--export", "parts.vti",
                                           "--series", "steps", "--export", "step-001-final.vti"});
    EXPECT_EQ(apart.exitCode, 0) << describe(apart);
    EXPECT_TRUE(exists(QStringLiteral("part-Si.stl")));
    EXPECT_TRUE(exists(QStringLiteral("steps/step-005-Si_Oxidation.vti")));
    EXPECT_TRUE(exists(QStringLiteral("steps/flow.pvd")));
}

// The materials to export are the catalogue's, by name or id; a series
// needs a folder it can write to. Both are known before anything runs.
TEST_F(BatchOptionChecksTest, ExportMaterialsAndTheSeriesFolderAreCheckedBeforeTheRun)
{
    const BatchProgramRun unknown = runFlow({"-o", "out.cvx", "--export", "part.vtu", "--export-materials", "Si,Kryptonite"});
    EXPECT_EQ(unknown.exitCode, 2) << describe(unknown);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("no material \"Kryptonite\""))) << describe(unknown);
    const BatchProgramRun alone = runFlow({"-o", "out.cvx", "--export-materials", "Si"});
    EXPECT_EQ(alone.exitCode, 2) << describe(alone);
    EXPECT_TRUE(alone.err.contains(QStringLiteral("--export FILE"))) << describe(alone);

    ASSERT_TRUE(TempFolder::write(folder.file(QStringLiteral("taken")), "a file"));
    const BatchProgramRun onAFile = runFlow({"-o", "out.cvx", "--series", "taken"});
    EXPECT_EQ(onAFile.exitCode, 3) << describe(onAFile);
    EXPECT_TRUE(onAFile.err.contains(QStringLiteral("taken: is a file"))) << describe(onAFile);
    EXPECT_FALSE(exists(QStringLiteral("out.cvx")));

    const BatchProgramRun chosen = runFlow({"-o", "out.cvx", "--export", "part.msh", "--export-materials", "1, 3"});
    EXPECT_EQ(chosen.exitCode, 0) << describe(chosen);
    const QByteArray mesh = TempFolder::read(folder.file(QStringLiteral("part.msh")));
    EXPECT_TRUE(mesh.contains("\n3 1 \"Si\"\n")) << mesh.left(400).toStdString();
    EXPECT_FALSE(mesh.contains("N-doped")) << mesh.left(400).toStdString();
}
