// The engine of batch runs: entries give the cells of the interactive
// operations, keep the same process records, and entries that cannot run
// or are interrupted change nothing and let the next one run.
#include "UI/BatchRun/BatchRunner.h"

#include "Core/Operations/Deposition/AnisotropicFilmDepositionOperation.h"
#include "Core/Operations/Doping/DopingOperation.h"
#include "Core/Operations/Doping/IonImplantationOperation.h"
#include "Core/Operations/EntryParameters.h"
#include "Core/Operations/Frames/StepProgress.h"
#include "Core/Operations/Isotropic/ElectrodepositionOperation.h"
#include "Core/Operations/Isotropic/IsotropicFilmDepositionOperation.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodOperation.h"
#include "Core/Operations/Planarization/PlanarizationOperation.h"
#include "Core/Operations/Planarization/SpinCoatingOperation.h"
#include "Core/Operations/ReactiveIonEtching/SimpleReactiveIonEtchingOperation.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Photolithography/PhotolithographyOperation.h"
#include "Core/Operations/ProcessDescriptor.h"
#include "Core/Operations/ProcessRegistry.h"
#include "Core/Operations/SiEtching/SiWetEtchOperation.h"
#include "Core/Operations/SiOxidation/SimpleSiOxidationOperation.h"
#include "Core/Operations/Substrate/CreateSubstrateOperation.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/TotalVolume.h"

#include "BatchEntries.h"
#include "ScriptedInterrupter.h"

#include <QColor>
#include <QThread>
#include <QThreadPool>

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <list>

using namespace Core::Operations;
using Model::Automaton::TotalVolume;
using Ui::BatchRunner;
using Ui::ProcessData;
using TestSupport::filmEntry;
using TestSupport::substrateEntry;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3, Aluminium = 4, Copper = 5;

// A 6 x 12 top mask covering image column 4 (volume columns x = 4).
MaskVector photolithographyTopMask()
{
    MaskVector bits(6 * 12, false);
    for (std::size_t y = 0; y < 12; ++y)
        bits[4 * 12 + y] = true;
    return bits;
}

ParameterMap photolithographyEntry()
{
    const auto q = [](const char *name) { return QString::fromLatin1(name); };
    return {{q("MaterialId"), Aluminium},
            {q("Top Mask"), QVariant::fromValue(photolithographyTopMask())},
            {q("Top Mask Width"), 6u},
            {q("Top Mask Height"), 12u},
            {q("Bottom Mask"), QVariant::fromValue(MaskVector())},
            {q("Bottom Mask Width"), 0u},
            {q("Bottom Mask Height"), 0u}};
}

ProcessData electroplatingEntry(double thickness, std::uint32_t conductor, std::uint32_t deposited)
{
    ProcessData entry(ProcessData::Electroplating);
    entry.setParameter(QStringLiteral("Film Thickness"), thickness);
    entry.setParameter(QStringLiteral("ConductingMaterialId"), conductor, false);
    entry.setParameter(QStringLiteral("DepositedMaterialId"), deposited, false);
    return entry;
}

ProcessData wetEtchEntry(double depth)
{
    ProcessData entry(ProcessData::SiWetEtching);
    entry.setParameter(QStringLiteral("Depth"), depth);
    return entry;
}

// A list with every process the engine runs.
std::list<ProcessData> everyProcess()
{
    return {
        substrateEntry(40, 24, 20),
        wetEtchEntry(1.5),
        filmEntry(ProcessData::Cvd, "Thickness", 3, Aluminium),
        filmEntry(ProcessData::IsotropicEtching, "Depth", 1.25, Aluminium),
        electroplatingEntry(2, Aluminium, Copper),
    };
}

// Runs a list as the batch run does: it stops at the first entry that
// needs a volume when there is none.
std::vector<BatchRunner::Result> runList(BatchRunner &runner, const std::list<ProcessData> &list)
{
    std::vector<BatchRunner::Result> results;
    for (const ProcessData &entry : list) {
        if (!runner.canRun(entry))
            break;
        results.push_back(runner.run(entry));
    }
    return results;
}

class BatchRunnerTest : public ::testing::Test
{
protected:
    ~BatchRunnerTest() override { QThreadPool::globalInstance()->setMaxThreadCount(QThread::idealThreadCount()); }

    OperationContext context;
    BatchRunner runner{context};
};

} // namespace

TEST_F(BatchRunnerTest, SubstrateAndCvdGiveTheCellsOfTheInteractiveOperations)
{
    const std::list<ProcessData> list{substrateEntry(), filmEntry(ProcessData::Cvd, "Thickness", 2.5, Oxide)};
    EXPECT_EQ(runList(runner, list), (std::vector<BatchRunner::Result>{BatchRunner::Done, BatchRunner::Done}));
    ASSERT_TRUE(runner.volume());
    const auto objects = context.document().allObjects();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects.front(), runner.volume()) << "the new volume joins the document";
    EXPECT_EQ(runner.volume()->position().x, 5.0);

    OperationContext interactive;
    interactive.setOperationFactory(boost::make_shared<OperationFactory>(&interactive));
    interactive.startOperation(CreateSubstrateId);
    auto create = boost::dynamic_pointer_cast<CreateSubstrateOperation>(interactive.currentOperation());
    ASSERT_TRUE(create);
    SubstrateShape shape;
    shape.material = Si;
    shape.sizeX = 24;
    shape.sizeY = 20;
    shape.sizeZ = 16;
    shape.position = Util::Vector3D(5, 6, 7);
    shape.boxX = 3;
    shape.boxY = 2;
    shape.boxSizeX = shape.boxSizeY = 16;
    shape.boxSizeZ = 8;
    create->setShape(shape);
    create->execute();
    ASSERT_TRUE(create->createdVolume());
    interactive.startOperation(IsotropicDepositionId);
    auto deposit = boost::dynamic_pointer_cast<IsotropicFilmDepositionOperation>(interactive.currentOperation());
    ASSERT_TRUE(deposit);
    interactive.selectionManager().toggle({create->createdVolume()->id()});
    interactive.consoleInput().processLine("");
    deposit->setThickness(2.5f);
    deposit->setMaterialId(Oxide);
    deposit->end();

    EXPECT_EQ(runner.volume()->materials(), create->createdVolume()->materials());
    EXPECT_EQ(context.processRecords().lastOperation(runner.volume()->id()), int(IsotropicDepositionId));
}

TEST_F(BatchRunnerTest, EveryProcessGivesTheSameCellsWithOneThreadAndWithMany)
{
    const std::list<ProcessData> list = everyProcess();
    std::vector<std::vector<std::uint32_t>> results;
    for (const int threads : {1, 4}) {
        QThreadPool::globalInstance()->setMaxThreadCount(threads);
        OperationContext own;
        BatchRunner run(own);
        EXPECT_EQ(runList(run, list), std::vector<BatchRunner::Result>(list.size(), BatchRunner::Done));
        ASSERT_TRUE(run.volume());
        results.push_back(run.volume()->materials());
    }
    EXPECT_EQ(results[0], results[1]);
    for (const std::uint32_t material : {Si, Aluminium, Copper})
        EXPECT_NE(std::count(results[0].begin(), results[0].end(), material), 0) << material;
}

TEST_F(BatchRunnerTest, AnEntryWithoutAParameterIsSkippedAndTheNextRuns)
{
    ProcessData withoutThickness = filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide);
    withoutThickness.removeParameter(QStringLiteral("Thickness"));
    ProcessData colourForDepth = filmEntry(ProcessData::IsotropicEtching, "Depth", 1, Si);
    colourForDepth.setParameter(QStringLiteral("Depth"), QColor(Qt::red));
    ProcessData unknownTypeName = filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide);
    unknownTypeName.setParameter(QStringLiteral("MaterialId"), QVariant());
    ProcessData negativeId = filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide);
    negativeId.setParameter(QStringLiteral("MaterialId"), -3);
    ProcessData notANumber = filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide);
    notANumber.setParameter(QStringLiteral("Thickness"), QStringLiteral("nan"));

    runner.run(substrateEntry());
    const auto before = runner.volume()->materials();
    const std::list<ProcessData> list{withoutThickness, colourForDepth, unknownTypeName, negativeId, notANumber,
                                      filmEntry(ProcessData::Cvd, "Thickness", 1, Oxide)};
    EXPECT_EQ(runList(runner, list),
              (std::vector<BatchRunner::Result>{BatchRunner::MissingParameter, BatchRunner::NotConvertible,
                                                BatchRunner::MissingParameter, BatchRunner::NotConvertible,
                                                BatchRunner::NotConvertible, BatchRunner::Done}));
    const auto after = runner.volume()->materials();
    EXPECT_NE(before, after);
    EXPECT_EQ(std::count(after.begin(), after.end(), Oxide) > 0, true) << "only the last entry deposited";

    EXPECT_EQ(runner.run(withoutThickness), BatchRunner::MissingParameter);
    EXPECT_EQ(runner.problem(), QStringLiteral("parameter \"Thickness\" is missing"));
    EXPECT_EQ(runner.run(negativeId), BatchRunner::NotConvertible);
    EXPECT_EQ(runner.problem(), QStringLiteral("parameter \"MaterialId\" cannot be used: \"-3\""));
    EXPECT_EQ(runner.volume()->materials(), after);
}

TEST_F(BatchRunnerTest, WithoutAVolumeOnlyCreateSubstrateCanRun)
{
    const std::list<ProcessData> list{filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide), substrateEntry()};
    EXPECT_TRUE(runList(runner, list).empty()) << "the list stops before the substrate";
    EXPECT_FALSE(runner.volume());
    EXPECT_TRUE(context.document().allObjects().empty());
    EXPECT_EQ(runner.run(list.front()), BatchRunner::Failed);
}

TEST_F(BatchRunnerTest, SubstratesThatCannotBeBuiltKeepTheCurrentVolume)
{
    runner.run(substrateEntry());
    const auto current = runner.volume();
    EXPECT_EQ(runner.run(substrateEntry(0, 10, 10)), BatchRunner::Failed);
    EXPECT_EQ(runner.run(substrateEntry(4000000000u, 4000000000u, 4000000000u)), BatchRunner::Failed);
    EXPECT_TRUE(runner.problem().contains(QStringLiteral("memory"))) << runner.problem().toStdString();
    EXPECT_EQ(runner.volume(), current);
    EXPECT_EQ(context.document().allObjects().size(), 1u);

    ProcessData sphere = substrateEntry(20, 20, 20);
    sphere.setParameter(QStringLiteral("SphericalSubstrate"), true);
    sphere.removeParameter(QStringLiteral("Substrate Size X"));
    sphere.setParameter(QStringLiteral("Substrate Center X"), 10u);
    sphere.setParameter(QStringLiteral("Substrate Center Y"), 10u);
    sphere.setParameter(QStringLiteral("Substrate Center Z"), 10u);
    sphere.setParameter(QStringLiteral("Substrate Radius"), 5u);
    EXPECT_EQ(runner.run(sphere), BatchRunner::Done) << "a ball needs no box size";
    EXPECT_NE(runner.volume(), current);
    EXPECT_EQ(context.document().allObjects().size(), 2u);
}

TEST_F(BatchRunnerTest, ProcessesKeepTheRecordsOfTheInteractiveOperations)
{
    runner.run(substrateEntry());
    const unsigned id = runner.volume()->id();
    ProcessRecords &records = context.processRecords();

    EXPECT_EQ(runner.run(wetEtchEntry(1)), BatchRunner::Done);
    EXPECT_EQ(records.lastOperation(id), int(AtomisticWetEtchingId));
    EXPECT_FALSE(records.needsSiLatticeRebuild(id)) << "the etching leaves its lattice current";
    ASSERT_NE(runner.volume()->siLattice(), nullptr);

    runner.run(filmEntry(ProcessData::IsotropicEtching, "Depth", 1, Oxide));
    EXPECT_EQ(records.lastOperation(id), int(IsotropicEtchingId));
    EXPECT_FALSE(records.needsSiLatticeRebuild(id)) << "no silicon changed";
    runner.run(electroplatingEntry(1, Si, Copper));
    EXPECT_EQ(records.lastOperation(id), int(ElectrodepositionId));
    EXPECT_FALSE(records.needsSiLatticeRebuild(id));
    runner.run(filmEntry(ProcessData::Cvd, "Thickness", 1, Si));
    EXPECT_EQ(records.lastOperation(id), int(IsotropicDepositionId));
    EXPECT_TRUE(records.needsSiLatticeRebuild(id)) << "grown silicon is not in the lattice";

    runner.run(wetEtchEntry(1));
    EXPECT_FALSE(records.needsSiLatticeRebuild(id));
    runner.run(filmEntry(ProcessData::IsotropicEtching, "Depth", 1, Si));
    EXPECT_TRUE(records.needsSiLatticeRebuild(id));
}

TEST_F(BatchRunnerTest, EveryListTypeIsAvailableAndUnknownTypesAreReported)
{
    runner.run(substrateEntry());
    const auto before = runner.volume()->materials();
    for (int type = 0; type < ProcessData::Unknown; ++type)
        EXPECT_TRUE(BatchRunner::isAvailable(type)) << type;
    EXPECT_EQ(runner.run(ProcessData(16)), BatchRunner::NotAvailable);
    EXPECT_EQ(runner.problem(), QStringLiteral("unknown process type 16"));
    EXPECT_EQ(runner.run(ProcessData(-4)), BatchRunner::NotAvailable);
    EXPECT_EQ(runner.volume()->materials(), before);
}

// A ratio of 0 would make the film's sideways steps endless, and a side
// outside 1 to 3 names no face: both entries are refused untouched.
TEST_F(BatchRunnerTest, DirectionalEntriesWithoutAUsableRatioOrSideAreRefused)
{
    runner.run(substrateEntry());
    const auto before = runner.volume()->materials();
    const auto pvd = [](double ratio, int side) {
        ProcessData entry = filmEntry(ProcessData::Pvd, "Thickness", 2.0, Aluminium);
        entry.setParameter(QStringLiteral("Horizontal to Vertical Ratio"), ratio);
        entry.setParameter(QStringLiteral("DepositOn"), side, false);
        return entry;
    };
    EXPECT_EQ(runner.run(pvd(0.0, 1)), BatchRunner::NotConvertible);
    EXPECT_EQ(runner.problem(), QStringLiteral("parameter \"Horizontal to Vertical Ratio\" cannot be used: \"0\" is not "
                                               "above 0 and up to 1000000000"));
    EXPECT_EQ(runner.run(pvd(-2.0, 1)), BatchRunner::NotConvertible);
    EXPECT_EQ(runner.run(pvd(1.0, 4)), BatchRunner::NotConvertible);
    EXPECT_EQ(runner.problem(), QStringLiteral("parameter \"DepositOn\" cannot be used: \"4\""));
    EXPECT_EQ(runner.volume()->materials(), before);
    EXPECT_EQ(runner.run(pvd(1.0, 3)), BatchRunner::Done);
    EXPECT_NE(runner.volume()->materials(), before);
}

// A step of material 0, the empty cell, is refused before it runs: doping
// with it would empty the silicon it should dope.
TEST_F(BatchRunnerTest, StepsOfMaterialZeroAreRefusedAndChangeNoCell)
{
    runner.run(substrateEntry());
    const auto before = runner.volume()->materials();
    ProcessData doping(ProcessData::Doping);
    doping.setParameter(QStringLiteral("Doping Depth"), 2.0f);
    doping.setParameter(QStringLiteral("DopedMaterialId"), 0u);
    EXPECT_EQ(runner.run(doping), BatchRunner::NotConvertible);
    EXPECT_EQ(runner.problem(),
              QStringLiteral("parameter \"DopedMaterialId\" cannot be used: \"0\" is no material (0 is the empty cell)"));
    EXPECT_EQ(runner.run(filmEntry(ProcessData::IsotropicEtching, "Depth", 2, 0)), BatchRunner::NotConvertible);
    EXPECT_EQ(runner.run(electroplatingEntry(2, Si, 0)), BatchRunner::NotConvertible);
    EXPECT_EQ(runner.volume()->materials(), before);

    ProcessData emptySubstrate = substrateEntry();
    emptySubstrate.setParameter(QStringLiteral("MaterialId"), 0u, false);
    EXPECT_EQ(runner.run(emptySubstrate), BatchRunner::NotConvertible);
    EXPECT_EQ(context.document().allObjects().size(), 1u);
}

// What the entry check says of an entry before a run is what its run says:
// nothing for one that runs, the same problem for one that cannot.
TEST_F(BatchRunnerTest, TheEntryCheckBeforeARunFindsWhatTheRunWouldRefuse)
{
    ProcessData farCorner = substrateEntry();
    farCorner.setParameter(QStringLiteral("Lower Left Front Corner"),
                           QVariant::fromValue(Util::Vector3D(std::nan(""), 0, 0)));
    ProcessData noCells = substrateEntry(0, 4, 4);
    ProcessData deep(ProcessData::Doping);
    deep.setParameter(QStringLiteral("Doping Depth"), std::numeric_limits<float>::infinity());
    deep.setParameter(QStringLiteral("DopedMaterialId"), 14u);
    ProcessData image(ProcessData::SaveImage);
    image.setParameter(QStringLiteral("Filename"), QString());
    const ProcessData entries[] = {
        substrateEntry(),
        farCorner,
        noCells,
        filmEntry(ProcessData::Cvd, "Thickness", -1, Oxide),
        filmEntry(ProcessData::Cvd, "Thickness", 1, Oxide),
        deep,
        image,
        ProcessData(ProcessData::SaveImage),
    };
    for (const ProcessData &entry : entries) {
        const QString expected = runner.run(entry) == BatchRunner::Done ? QString() : runner.problem();
        EXPECT_EQ(BatchRunner::entryProblem(entry).toStdString(), expected.toStdString());
    }
    EXPECT_FALSE(BatchRunner::entryProblem(farCorner).isEmpty());
    EXPECT_EQ(BatchRunner::entryProblem(ProcessData(ProcessData::Unknown)), QString()) << "the run names it";
}

// An oxide of one cell or less changes nothing, so the lattice built before
// still matches the silicon; a thicker one consumes silicon.
TEST_F(BatchRunnerTest, OnlyAnOxideThickerThanACellOutdatesTheSiLattice)
{
    runner.run(substrateEntry());
    const unsigned id = runner.volume()->id();
    context.processRecords().setSiLatticeStale(id, false);
    const auto before = runner.volume()->materials();
    const auto oxidation = [](double microns) {
        ProcessData entry(ProcessData::SiOxidation);
        entry.setParameter(QStringLiteral("OxidationTimeSet"), false, false);
        entry.setParameter(QStringLiteral("Micron Conversion"), 100.0);
        entry.setParameter(QStringLiteral("Oxidation Thickness"), microns);
        return entry;
    };
    EXPECT_EQ(runner.run(oxidation(0.01)), BatchRunner::Done);
    EXPECT_EQ(runner.volume()->materials(), before);
    EXPECT_FALSE(context.processRecords().needsSiLatticeRebuild(id));
    EXPECT_EQ(runner.run(oxidation(0.02)), BatchRunner::Done);
    EXPECT_NE(runner.volume()->materials(), before);
    EXPECT_TRUE(context.processRecords().needsSiLatticeRebuild(id));
}

// Mask bits that do not fill their mask would develop all of the resist as
// if there were no mask: the entry is refused and the next one runs.
TEST_F(BatchRunnerTest, PhotolithographyWithMaskBitsThatDoNotFitTheirSizeIsRefused)
{
    runner.run(substrateEntry());
    const auto before = runner.volume()->materials();
    ProcessData lithography(ProcessData::Photolithography);
    for (const auto &parameter : photolithographyEntry())
        lithography.setParameter(parameter.first, parameter.second);
    lithography.setParameter(QStringLiteral("Bottom Mask"), QVariant::fromValue(MaskVector(5, true)));
    lithography.setParameter(QStringLiteral("Bottom Mask Width"), 2u);
    lithography.setParameter(QStringLiteral("Bottom Mask Height"), 3u);
    EXPECT_EQ(runner.run(lithography), BatchRunner::NotConvertible);
    EXPECT_EQ(runner.problem(), QStringLiteral("parameter \"Bottom Mask\" cannot be used: it holds 5 flags for a 2 x 3 mask"));
    EXPECT_EQ(runner.volume()->materials(), before);

    lithography.setParameter(QStringLiteral("Bottom Mask"), QVariant::fromValue(MaskVector(6, true)));
    lithography.setParameter(QStringLiteral("MaterialId"), Si);
    EXPECT_EQ(runner.run(lithography), BatchRunner::Done) << runner.problem().toStdString();
    EXPECT_NE(runner.volume()->materials(), before);
}

TEST_F(BatchRunnerTest, SaveImageHandsTheFileToTheImageSaver)
{
    runner.run(substrateEntry());
    ProcessData image(ProcessData::SaveImage);
    image.setParameter(QStringLiteral("Filename"), QStringLiteral("flow.png"));
    EXPECT_EQ(runner.run(image), BatchRunner::Failed) << "no saver: no way to draw";
    EXPECT_FALSE(runner.problem().isEmpty());

    QStringList saved;
    runner.setImageSaver([&saved](const QString &fileName, QString *) {
        saved << fileName;
        return true;
    });
    EXPECT_EQ(runner.run(image), BatchRunner::Done);
    image.setParameter(QStringLiteral("Filename"), QString());
    EXPECT_EQ(runner.run(image), BatchRunner::Done) << "an empty name only refreshes the surface";
    EXPECT_EQ(saved, QStringList{QStringLiteral("flow.png")});

    runner.setImageSaver([](const QString &, QString *problem) {
        *problem = QStringLiteral("disk full");
        return false;
    });
    image.setParameter(QStringLiteral("Filename"), QStringLiteral("flow.png"));
    EXPECT_EQ(runner.run(image), BatchRunner::Failed);
    EXPECT_EQ(runner.problem(), QStringLiteral("disk full"));
}

TEST_F(BatchRunnerTest, ReportingProgressGivesTheSameCells)
{
    const std::list<ProcessData> list = everyProcess();
    EXPECT_EQ(runList(runner, list), std::vector<BatchRunner::Result>(list.size(), BatchRunner::Done));
    OperationContext own;
    BatchRunner watched(own);
    StepProgress progress;
    watched.setInterrupter(&progress);
    EXPECT_EQ(runList(watched, list), std::vector<BatchRunner::Result>(list.size(), BatchRunner::Done));
    EXPECT_EQ(progress.report().text(), "Moving the front: step 3 of 3") << "the last entry's last report";
    EXPECT_EQ(watched.volume()->materials(), runner.volume()->materials());
}

// Invariants: an interrupted entry leaves the cells as they were before
// it, records nothing and says so; the lattice is rebuilt before the next
// wet etch.
// Invariants: an interrupted entry keeps the whole steps it did, is
// recorded when it changed cells, and leaves the lattice out of date, so the
// next wet etch rebuilds it.
TEST_F(BatchRunnerTest, AnInterruptedEntryKeepsItsStepsAndOutdatesTheLattice)
{
    ASSERT_EQ(runner.run(substrateEntry(40, 24, 20)), BatchRunner::Done);
    const auto volume = runner.volume();
    const unsigned latticeReports = Model::Automaton::SiLattice::lateralCells(40, 24) + 2;
    struct Case
    {
        const char *name;
        ProcessData entry;
        int stopAfter;
        // The operation recorded; none for a stopped lattice build.
        int recorded;
    };
    const std::vector<Case> cases{
        // Copper on the silicon, then silicon over it: the last wet etch
        // has silicon to etch.
        {"electroplating", electroplatingEntry(3, Si, Copper), 3, ElectrodepositionId},
        {"CVD", filmEntry(ProcessData::Cvd, "Thickness", 3, Si), 3, IsotropicDepositionId},
        {"isotropic etching", filmEntry(ProcessData::IsotropicEtching, "Depth", 3, Si), 3, IsotropicEtchingId},
        {"lattice build", wetEtchEntry(2), 1, ProcessRecords::NoOperation},
        {"wet etching", wetEtchEntry(2), int(latticeReports) + 3, AtomisticWetEtchingId},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = volume->materials();
        const int lastBefore = context.processRecords().lastOperation(volume->id());
        TestSupport::ScriptedInterrupter interrupter(c.stopAfter);
        runner.setInterrupter(&interrupter);
        EXPECT_EQ(runner.run(c.entry), BatchRunner::Interrupted);
        EXPECT_EQ(runner.problem(), QStringLiteral("interrupted"));
        EXPECT_EQ(interrupter.reports.size(), std::size_t(c.stopAfter)) << "no report after the stop";
        EXPECT_TRUE(context.processRecords().needsSiLatticeRebuild(volume->id()));
        if (c.recorded == ProcessRecords::NoOperation) {
            EXPECT_EQ(volume->materials(), before) << "a build changes no cell";
            EXPECT_EQ(context.processRecords().lastOperation(volume->id()), lastBefore);
        } else {
            EXPECT_EQ(context.processRecords().lastOperation(volume->id()), c.recorded);
        }
    }

    // The same cells in a fresh volume: a lattice built for them.
    OperationContext fresh;
    BatchRunner reference(fresh);
    reference.setVolume(boost::make_shared<TotalVolume>(
        volume->sizeX(), volume->sizeY(), volume->sizeZ(), volume->cellsizeX(), volume->cellsizeY(),
        volume->cellsizeZ(), volume->position(), volume->materials()));
    ASSERT_EQ(reference.run(wetEtchEntry(2)), BatchRunner::Done);
    ASSERT_NE(reference.volume()->materials(), volume->materials()) << "the etch has work to do";
    runner.setInterrupter(nullptr);
    EXPECT_EQ(runner.run(wetEtchEntry(2)), BatchRunner::Done);
    EXPECT_EQ(volume->materials(), reference.volume()->materials());
    EXPECT_FALSE(context.processRecords().needsSiLatticeRebuild(volume->id()));
}

namespace {

// Silicon below, an aluminium ridge and an oxide block on it: every process
// finds something to grow on, remove or etch.
std::vector<std::uint32_t> structuredCells()
{
    constexpr unsigned SX = 18, SY = 12, SZ = 14;
    std::vector<std::uint32_t> m(SX * SY * SZ, 0);
    for (unsigned x = 0; x < SX; ++x)
        for (unsigned y = 0; y < SY; ++y)
            for (unsigned z = 0; z < SZ; ++z) {
                std::uint32_t &cell = m[z + SZ * (y + SY * x)];
                if (z < 5)
                    cell = Si;
                else if (z < 8 && x >= 3 && x < 7)
                    cell = Aluminium;
                else if (z < 7 && x >= 11 && x < 14 && y >= 3 && y < 9)
                    cell = Oxide;
            }
    return m;
}

boost::shared_ptr<TotalVolume> structuredVolume()
{
    return boost::make_shared<TotalVolume>(18, 12, 14, 1.0f, 1.0f, 1.0f, Util::Vector3D(), structuredCells());
}

// One case per process kind: a list entry, and the same options handed to
// the interactive operation as its dialog would.
struct ProcessCase
{
    ParameterMap entry;
    std::function<void(Operation &)> setOptions;
};

std::map<int, ProcessCase> processCases()
{
    const auto film = [](double thickness, std::uint32_t material) {
        return [=](Operation &op) {
            auto &process = dynamic_cast<FilmProcessOperation &>(op);
            process.setThickness(float(thickness));
            process.setMaterialId(material);
        };
    };
    const auto wetEtch = [](double depth) {
        return [=](Operation &op) { dynamic_cast<SiWetEtchOperation &>(op).setDepth(depth); };
    };
    const auto moore = [](int steps, std::uint32_t material) {
        return [=](Operation &op) {
            auto &process = dynamic_cast<MooreNeighborhoodOperation &>(op);
            process.setSteps(steps);
            process.setMaterialId(material);
        };
    };
    const auto q = [](const char *name) { return QString::fromLatin1(name); };
    return {
        {IsotropicDepositionId, {{{q("Thickness"), 2.5}, {q("MaterialId"), Si}}, film(2.5, Si)}},
        {IsotropicEtchingId, {{{q("Depth"), 1.5}, {q("MaterialId"), Aluminium}}, film(1.5, Aluminium)}},
        {ElectrodepositionId,
         {{{q("Film Thickness"), 2.0}, {q("ConductingMaterialId"), Aluminium}, {q("DepositedMaterialId"), Copper}},
          [film](Operation &op) {
              film(2.0, Copper)(op);
              dynamic_cast<ElectrodepositionOperation &>(op).setConductingMaterial(Aluminium);
          }}},
        {AtomisticWetEtchingId, {{{q("Depth"), 1.5}}, wetEtch(1.5)}},
        {ContinuousWetEtchingId, {{{q("Depth"), 6.0}}, wetEtch(6.0)}},
        {AnisotropicDepositionId,
         {{{q("Thickness"), 2.0}, {q("MaterialId"), Aluminium}, {q("Horizontal to Vertical Ratio"), 1.5},
           {q("DepositOn"), 3}},
          [film](Operation &op) {
              film(2.0, Aluminium)(op);
              auto &pvd = dynamic_cast<AnisotropicFilmDepositionOperation &>(op);
              pvd.setHorizontalRatio(1.5f);
              pvd.setSide(3);
          }}},
        {DopingId,
         {{{q("Doping Depth"), 2.0}, {q("DopedMaterialId"), 15u}},
          [](Operation &op) {
              auto &doping = dynamic_cast<DopingOperation &>(op);
              doping.setDepth(2.0f);
              doping.setMaterialId(15);
          }}},
        {IonImplantationId,
         {{{q("Annealing Distance"), 1.5}, {q("Implantation Depth"), 2.0}, {q("DopedMaterialId"), 14u}},
          [](Operation &op) {
              auto &implantation = dynamic_cast<IonImplantationOperation &>(op);
              implantation.setAnnealingDistance(1.5f);
              implantation.setDepth(2.0f);
              implantation.setMaterialId(14);
          }}},
        {SiOxidationId,
         {{{q("OxidationTimeSet"), true}, {q("Micron Conversion"), 20.0}, {q("Oxidation Pressure"), 1.0},
           {q("Oxidation Temperature"), 1273.0}, {q("Oxidation Time"), 2.0}},
          [](Operation &op) {
              auto &oxidation = dynamic_cast<SimpleSiOxidationOperation &>(op);
              oxidation.setCellUnitsPerMicron(20.0);
              oxidation.setTime(2.0);
              oxidation.setPressure(1.0);
              oxidation.setTemperature(1273.0);
          }}},
        {PhotolithographyId, {photolithographyEntry(), [](Operation &op) {
             auto &lithography = dynamic_cast<PhotolithographyOperation &>(op);
             lithography.setMaterialId(Aluminium);
             lithography.setTopMask(photolithographyTopMask(), 6, 12);
             lithography.setBottomMask({}, 0, 0);
         }}},
        {MooreDepositionId, {{{q("Thickness"), 2u}, {q("MaterialId"), Oxide}}, moore(2, Oxide)}},
        {MooreEtchingId, {{{q("Depth"), 2u}, {q("MaterialId"), Aluminium}}, moore(2, Aluminium)}},
        {PlanarizationId,
         {{{q("Maximum Height"), 7u}, {q("Minimum Height"), 1u}},
          [](Operation &op) {
              auto &planarization = dynamic_cast<PlanarizationOperation &>(op);
              planarization.setMaximumHeight(7);
              planarization.setMinimumHeight(1);
          }}},
        {SpinCoatingId,
         {{{q("Maximum Height"), 9u}, {q("MaterialId"), Oxide}},
          [](Operation &op) {
              auto &coating = dynamic_cast<SpinCoatingOperation &>(op);
              coating.setMaterialId(Oxide);
              coating.setHeight(9);
          }}},
        {SimpleReactiveIonEtchingId,
         {{{q("Etch Depth"), 2u}, {q("MaterialId"), Aluminium}, {q("EtchDirectionValue"), 3}},
          [](Operation &op) {
              auto &rie = dynamic_cast<SimpleReactiveIonEtchingOperation &>(op);
              rie.setDepth(2);
              rie.setMaterialId(Aluminium);
              rie.setFromBelow(true);
              rie.setFromTop(true);
          }}},
    };
}

} // namespace

// Test lists name the kind rather than the descriptor's address.
namespace Core {
namespace Operations {
void PrintTo(const ProcessDescriptor *process, std::ostream *out)
{
    *out << process->title();
}
} // namespace Operations
} // namespace Core

namespace {

std::string caseName(const ::testing::TestParamInfo<const ProcessDescriptor *> &info)
{
    std::string name;
    for (const char c : std::string(info.param->title()))
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
    return name;
}

class EveryProcessKind : public ::testing::TestWithParam<const ProcessDescriptor *>
{
};

// Runs a case's entry through the batch engine: as a list entry of its type,
// or straight through its descriptor for a kind lists cannot hold.
BatchRunner::Result runEntry(BatchRunner &runner, const ProcessDescriptor &process, const ParameterMap &parameters)
{
    if (!process.hasBatchEntry())
        return runner.runProcess(process, parameters);
    ProcessData entry(process.batchKind().type);
    for (const auto &parameter : parameters)
        entry.setParameter(parameter.first, parameter.second);
    return runner.run(entry);
}

} // namespace

// A process list entry and the interactive operation with the same options
// give the same cells and leave the same process records.
TEST_P(EveryProcessKind, ListEntryGivesTheCellsAndRecordsOfTheOperation)
{
    const ProcessDescriptor &process = *GetParam();
    const auto cases = processCases();
    const auto found = cases.find(process.operationId());
    ASSERT_NE(found, cases.end()) << "no case for " << process.title() << ": add one to processCases()";
    const ProcessCase &sample = found->second;

    OperationContext batch;
    BatchRunner runner(batch);
    runner.setVolume(structuredVolume());
    batch.document().addObject(runner.volume());
    ASSERT_EQ(runEntry(runner, process, sample.entry), BatchRunner::Done) << runner.problem().toStdString();

    OperationContext interactive;
    interactive.setOperationFactory(boost::make_shared<OperationFactory>(&interactive));
    const auto volume = structuredVolume();
    interactive.document().addObject(volume);
    interactive.startOperation(unsigned(process.operationId()));
    const auto operation = interactive.currentOperation();
    ASSERT_TRUE(operation);
    sample.setOptions(*operation);
    operation->end();
    EXPECT_FALSE(interactive.currentOperation()) << "the operation ran to its end";

    EXPECT_NE(volume->materials(), structuredCells()) << "the case changes something";
    EXPECT_EQ(runner.volume()->materials(), volume->materials());
    const ProcessRecords &listRecords = batch.processRecords();
    const ProcessRecords &windowRecords = interactive.processRecords();
    EXPECT_EQ(listRecords.lastOperation(runner.volume()->id()), process.operationId());
    EXPECT_EQ(windowRecords.lastOperation(volume->id()), process.operationId());
    EXPECT_EQ(listRecords.hasSiLatticeRecord(runner.volume()->id()), windowRecords.hasSiLatticeRecord(volume->id()));
    EXPECT_EQ(listRecords.needsSiLatticeRebuild(runner.volume()->id()), windowRecords.needsSiLatticeRebuild(volume->id()));
}

// Whatever a process does to silicon cells, the lattice built before is not
// taken for current afterwards, unless the run kept it in step itself. Each
// kind runs with every material choice set to silicon and to others.
TEST_P(EveryProcessKind, ARunThatChangesSiliconLeavesNoCurrentLatticeBehind)
{
    const ProcessDescriptor &process = *GetParam();
    const auto cases = processCases();
    const auto found = cases.find(process.operationId());
    ASSERT_NE(found, cases.end()) << "no case for " << process.title() << ": add one to processCases()";

    std::vector<ParameterMap> variants{found->second.entry};
    for (const auto &parameter : found->second.entry) {
        if (!parameter.first.endsWith(QStringLiteral("MaterialId")))
            continue;
        std::vector<ParameterMap> more;
        for (const ParameterMap &variant : variants)
            for (const std::uint32_t material : {Si, Oxide, Aluminium}) {
                more.push_back(variant);
                more.back()[parameter.first] = material;
            }
        variants.swap(more);
    }
    for (const ParameterMap &variant : variants) {
        OperationContext context;
        BatchRunner runner(context);
        runner.setVolume(structuredVolume());
        const unsigned id = runner.volume()->id();
        context.processRecords().setSiLatticeStale(id, false);
        const auto before = runner.volume()->materials();
        ASSERT_EQ(runner.runProcess(process, variant), BatchRunner::Done) << runner.problem().toStdString();
        const auto after = runner.volume()->materials();
        bool siliconChanged = false;
        for (std::size_t i = 0; i < before.size(); ++i)
            siliconChanged = siliconChanged || ((before[i] == Si) != (after[i] == Si));

        EntryParameters reader(variant);
        const SiLatticeEffect effect = process.readEntry(reader).effect;
        std::string materials;
        for (const auto &parameter : variant)
            if (parameter.first.endsWith(QStringLiteral("MaterialId")))
                materials += parameter.first.toStdString() + "=" + parameter.second.toString().toStdString() + " ";
        SCOPED_TRACE(materials);
        if (siliconChanged) {
            EXPECT_NE(effect, LeavesSiLattice) << "silicon changed, yet the lattice would be taken for current";
        }
        EXPECT_EQ(context.processRecords().needsSiLatticeRebuild(id), effect == OutdatesSiLattice);
        if (effect == RenewsSiLattice) {
            EXPECT_TRUE(runner.volume()->siLattice());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Descriptors, EveryProcessKind, ::testing::ValuesIn(ProcessRegistry::descriptors()),
                         caseName);

// A wet etch after a deposition of silicon in the same list etches the new
// silicon too: the deposition left the lattice out of date, so the etching
// rebuilds it, exactly as on a substrate that was that high from the start.
TEST_F(BatchRunnerTest, WetEtchAfterSiliconDepositionInOneListRebuildsTheLattice)
{
    const auto flatSubstrate = [](unsigned height) {
        ProcessData entry = substrateEntry(12, 10, 16);
        entry.setParameter(QStringLiteral("Substrate Size X"), 12u);
        entry.setParameter(QStringLiteral("Substrate Size Y"), 10u);
        entry.setParameter(QStringLiteral("Substrate Delta X"), 0u);
        entry.setParameter(QStringLiteral("Substrate Delta Y"), 0u);
        entry.setParameter(QStringLiteral("Substrate Size Z"), height);
        return entry;
    };
    const std::list<ProcessData> list{flatSubstrate(6), wetEtchEntry(0), filmEntry(ProcessData::Cvd, "Thickness", 2, Si),
                                      wetEtchEntry(1.5)};
    EXPECT_EQ(runList(runner, list), std::vector<BatchRunner::Result>(list.size(), BatchRunner::Done));

    OperationContext fresh;
    BatchRunner reference(fresh);
    const std::list<ProcessData> grown{flatSubstrate(8), wetEtchEntry(1.5)};
    EXPECT_EQ(runList(reference, grown), std::vector<BatchRunner::Result>(grown.size(), BatchRunner::Done));

    const auto materials = runner.volume()->materials();
    EXPECT_LT(std::count(materials.begin(), materials.end(), Si), 12 * 10 * 8)
        << "the deposited layers have atoms to etch";
    EXPECT_EQ(materials, reference.volume()->materials());
}

// A volume placed where single precision cannot put its atoms in their
// cells, and a depth of more steps than a run counts: the wet etch says so
// instead of doing something else and reporting success.
TEST_F(BatchRunnerTest, WetEtchRefusesFarVolumesAndDepthsBeyondItsStepCount)
{
    ProcessData far = substrateEntry(12, 12, 8);
    far.setParameter(QStringLiteral("Lower Left Front Corner"), QVariant::fromValue(Util::Vector3D(1e12, 0, 0)));
    ASSERT_EQ(runner.run(far), BatchRunner::Done) << "any finite corner is a place";
    const auto before = runner.volume()->materials();
    EXPECT_EQ(runner.run(wetEtchEntry(2)), BatchRunner::Failed);
    EXPECT_TRUE(runner.problem().contains(QStringLiteral("cannot be placed"))) << runner.problem().toStdString();
    EXPECT_EQ(runner.volume()->materials(), before);

    ASSERT_EQ(runner.run(substrateEntry(12, 12, 8)), BatchRunner::Done);
    EXPECT_EQ(runner.run(wetEtchEntry(1e9)), BatchRunner::NotConvertible);
    EXPECT_TRUE(runner.problem().contains(QStringLiteral("steps"))) << runner.problem().toStdString();
    EXPECT_EQ(runner.run(wetEtchEntry(0.5)), BatchRunner::Done);
}

// A list run on a volume whose cells are too small for the Si lattice: the
// entry is not run, with the reason and the cell sizes that serve; on
// cells of edge 2 it etches.
TEST_F(BatchRunnerTest, WetEtchRefusesCellsTooSmallForTheLatticeAndEtchesLargeOnes)
{
    std::vector<std::uint32_t> m(12 * 12 * 12, 0);
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i] = i % 12 < 6 ? Si : 0u;
    runner.setVolume(boost::make_shared<TotalVolume>(12, 12, 12, 0.5f, 0.5f, 0.5f, Util::Vector3D(), m));
    EXPECT_EQ(runner.run(wetEtchEntry(2)), BatchRunner::Failed);
    EXPECT_TRUE(runner.problem().startsWith(QStringLiteral("Cells of 0.5 x 0.5 x 0.5 units are too small")))
        << runner.problem().toStdString();
    EXPECT_TRUE(runner.problem().contains(QStringLiteral("Cells at least 0.71 units wide")))
        << runner.problem().toStdString();
    EXPECT_EQ(runner.volume()->materials(), m);

    runner.setVolume(boost::make_shared<TotalVolume>(12, 12, 12, 2.0f, 2.0f, 2.0f, Util::Vector3D(), m));
    EXPECT_EQ(runner.run(wetEtchEntry(2)), BatchRunner::Done);
    EXPECT_NE(runner.volume()->materials(), m);
}
