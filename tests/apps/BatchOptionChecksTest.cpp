// What the batch program refuses before anything runs, with exit status 2
// and a message that names the options concerned. Invariants checked:
// - a --set value that the run would refuse (out of its parameter's range,
//   not finite, a material id 0) ends the program before the first entry;
// - a material given by name with --set is the catalogue's material of that
//   name, and an unknown name or id is refused, never ignored.
#include "BatchEntries.h"
#include "BatchProgramRun.h"
#include "TempFolder.h"

#include "UI/BatchRun/ProcessListArchiver.h"

#include <QColor>
#include <QFileInfo>

#include <gtest/gtest.h>

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
