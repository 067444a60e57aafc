// Undo and redo of the process operations through their state files.
// Invariants: undo restores the cells before the run bit for bit, redo the
// cells after it; records of one operation never restore another's; each
// context has its own files and removes them when it goes.
#include "Core/Operations/Deposition/AnisotropicFilmDepositionOperation.h"
#include "Core/Operations/Doping/DopingOperation.h"
#include "Core/Operations/Doping/IonImplantationOperation.h"
#include "Core/Operations/Isotropic/ElectrodepositionOperation.h"
#include "Core/Operations/Isotropic/IsotropicFilmDepositionOperation.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtchingOperation.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodDepositionOperation.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodEtchingOperation.h"
#include "Core/Operations/Planarization/PlanarizationOperation.h"
#include "Core/Operations/Planarization/SpinCoatingOperation.h"
#include "Core/Operations/ReactiveIonEtching/SimpleReactiveIonEtchingOperation.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/SiOxidation/SimpleSiOxidationOperation.h"
#include "Core/Operations/Undo/StateFolder.h"
#include "Core/Operations/Undo/TotalVolumeUndoRedoHelper.h"
#include "Model/Automaton/TotalVolume.h"
#include "BlockedStateFolder.h"
#include "FileSizeLimit.h"
#include "RecordingOperation.h"
#include "ScriptedInterrupter.h"
#include "TempFolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <set>

using namespace Core::Operations;
using Model::Automaton::TotalVolume;
using Lines = std::vector<std::string>;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3, Copper = 5, Gold = 9;

boost::shared_ptr<TotalVolume> substrate(std::uint32_t top = Si)
{
    const unsigned sx = 8, sy = 6, sz = 10;
    std::vector<std::uint32_t> m(sx * sy * sz, 0);
    for (unsigned x = 0; x < sx; ++x)
        for (unsigned y = 0; y < sy; ++y)
            for (unsigned z = 0; z < 4; ++z)
                m[z + sz * (y + sy * x)] = z == 3 && x > 2 && x < 6 ? top : Si;
    return boost::make_shared<TotalVolume>(sx, sy, sz, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
}

class ProcessUndoTest : public ::testing::Test
{
protected:
    ProcessUndoTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
        volume = substrate();
        context.document().addObject(volume);
    }

    // Starts the operation of `id` on the volume (the document's only one,
    // or picked with Enter when there are several) and returns it waiting
    // for its options.
    template<typename OperationT>
    boost::shared_ptr<OperationT> start(unsigned id)
    {
        context.startOperation(id);
        auto op = boost::dynamic_pointer_cast<OperationT>(context.currentOperation());
        EXPECT_TRUE(op);
        if (op && !op->volume()) {
            context.selectionManager().toggle({volume->id()});
            context.consoleInput().processLine("");
        }
        EXPECT_TRUE(op && op->volume() == volume);
        return op;
    }

    void deposit(std::uint32_t material, float thickness)
    {
        auto op = start<IsotropicFilmDepositionOperation>(IsotropicDepositionId);
        op->setThickness(thickness);
        op->setMaterialId(material);
        op->end();
    }

    void etch(std::uint32_t material, float depth)
    {
        auto op = start<IsotropicFilmEtchingOperation>(IsotropicEtchingId);
        op->setThickness(depth);
        op->setMaterialId(material);
        op->end();
    }

    OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
    boost::shared_ptr<TotalVolume> volume;
};

} // namespace

TEST_F(ProcessUndoTest, OperationFlowWritesItsLinesAndRecords)
{
    context.document().addObject(substrate()); // two volumes: the step asks which
    context.startOperation(IsotropicDepositionId);
    EXPECT_EQ(lines->lines, Lines{"Isotropic Deposition: Select a cell volume and press Enter/Return."});
    context.consoleInput().processLine("");
    EXPECT_EQ(lines->lines.size(), 2u) << "Enter with nothing picked asks again";
    context.selectionManager().toggle({volume->id()});
    context.consoleInput().processLine("");
    EXPECT_EQ(lines->lines.back(), "Isotropic Deposition: Cell volume selected.");
    auto op = boost::dynamic_pointer_cast<IsotropicFilmDepositionOperation>(context.currentOperation());
    ASSERT_TRUE(op);
    EXPECT_EQ(op->volume(), volume);
    EXPECT_TRUE(op->targetFromSelection());
    EXPECT_EQ(op->inputCount(), 1) << "no observer: no dialog counted";
    op->setThickness(1.0f);
    op->setMaterialId(Oxide);
    op->end();
    EXPECT_EQ(lines->lines.back(), "Isotropic Deposition: Operation finished.");
    EXPECT_EQ(context.history().undoTitle(), "Isotropic Deposition");
    EXPECT_EQ(context.processRecords().lastOperation(volume->id()), int(IsotropicDepositionId));
    EXPECT_FALSE(context.processRecords().hasSiLatticeRecord(volume->id())) << "oxide leaves the lattice alone";

    deposit(Si, 1.0f);
    EXPECT_TRUE(context.processRecords().needsSiLatticeRebuild(volume->id()));
    EXPECT_TRUE(context.processRecords().hasSiLatticeRecord(volume->id()));
}

TEST_F(ProcessUndoTest, TheOnlyVolumeIsTakenWithoutAPick)
{
    const unsigned ids[] = {IsotropicDepositionId, IsotropicEtchingId, ElectrodepositionId};
    for (unsigned id : ids) {
        lines->lines.clear();
        context.startOperation(id);
        auto op = boost::dynamic_pointer_cast<ProcessOperation>(context.currentOperation());
        ASSERT_TRUE(op);
        EXPECT_EQ(lines->lines.back(), op->title() + ": Cell volume selected.");
        EXPECT_EQ(op->volume(), volume);
        EXPECT_FALSE(op->targetFromSelection());
        EXPECT_EQ(op->inputCount(), 1);
        EXPECT_FALSE(context.selectionManager().mode());
    }
    context.cancelCurrentOperation();

    // A second volume leaves the choice to the user.
    auto other = boost::make_shared<TotalVolume>(2, 2, 2, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                 std::vector<std::uint32_t>(8, Si));
    context.document().addObject(other);
    lines->lines.clear();
    context.startOperation(IsotropicDepositionId);
    EXPECT_EQ(lines->lines, Lines{"Isotropic Deposition: Select a cell volume and press Enter/Return."});
    EXPECT_TRUE(context.selectionManager().mode());
    context.consoleInput().processLine("");
    EXPECT_EQ(lines->lines.back(), "Isotropic Deposition: Select a cell volume and press Enter/Return.")
        << "Enter with nothing picked among several asks again";
    context.selectionManager().toggle({other->id()});
    context.consoleInput().processLine("");
    auto op = boost::dynamic_pointer_cast<ProcessOperation>(context.currentOperation());
    ASSERT_TRUE(op);
    EXPECT_EQ(op->volume(), other);
}

TEST_F(ProcessUndoTest, MissingInputsAndEscapeCancelWithTheirLine)
{
    auto op = start<IsotropicFilmEtchingOperation>(IsotropicEtchingId);
    op->setThickness(2.0f);
    op->end();
    EXPECT_EQ(lines->lines.back(), "Isotropic Etching: Operation canceled.");
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(context.history().undoCount(), 0u);

    start<ElectrodepositionOperation>(ElectrodepositionId);
    context.cancelCurrentOperation();
    EXPECT_EQ(lines->lines.back(), "Electroplating: Operation canceled.");
}

TEST_F(ProcessUndoTest, UndoAndRedoRestoreEveryCellThroughSeveralOperations)
{
    std::vector<std::vector<std::uint32_t>> states{volume->materials()};
    deposit(Oxide, 2.0f);
    states.push_back(volume->materials());
    etch(Oxide, 1.0f);
    states.push_back(volume->materials());
    {
        auto op = start<ElectrodepositionOperation>(ElectrodepositionId);
        op->setThickness(1.0f);
        op->setMaterialId(Gold);
        op->setConductingMaterial(Oxide);
        op->end();
    }
    states.push_back(volume->materials());
    deposit(Si, 1.5f);
    states.push_back(volume->materials());
    for (std::size_t i = 1; i < states.size(); ++i)
        ASSERT_NE(states[i], states[i - 1]) << "every step changed something";

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(context.history().undo());
        EXPECT_EQ(volume->materials(), states[i - 1]) << "undo to state " << i - 1;
    }
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(context.history().redo());
        EXPECT_EQ(volume->materials(), states[i]) << "redo to state " << i;
    }
    EXPECT_TRUE(context.processRecords().needsSiLatticeRebuild(volume->id())) << "restored cells outdate the lattice";
}

// The directional, doping and oxidation steps between two isotropic
// depositions: the anisotropic one shares their record key.
TEST_F(ProcessUndoTest, UndoAndRedoRestoreEveryCellOfDirectionalDopingAndOxidationSteps)
{
    std::vector<std::vector<std::uint32_t>> states{volume->materials()};
    const auto done = [&] { states.push_back(volume->materials()); };
    deposit(Oxide, 1.0f);
    done();
    {
        auto op = start<AnisotropicFilmDepositionOperation>(AnisotropicDepositionId);
        op->setThickness(2.0f);
        op->setMaterialId(Gold);
        op->setHorizontalRatio(2.0f);
        op->setSide(1);
        op->end();
    }
    done();
    deposit(Copper, 1.0f);
    done();
    // Remove what grew so that the silicon is free again.
    for (const std::uint32_t film : {Copper, Gold, Oxide}) {
        etch(film, 9.0f);
        done();
    }
    {
        auto op = start<DopingOperation>(DopingId);
        op->setDepth(1.0f);
        op->setMaterialId(14);
        op->end();
    }
    done();
    {
        auto op = start<IonImplantationOperation>(IonImplantationId);
        op->setAnnealingDistance(0.0f);
        op->setDepth(3.0f);
        op->setMaterialId(15);
        op->end();
    }
    done();
    {
        auto op = start<SimpleSiOxidationOperation>(SiOxidationId);
        op->setCellUnitsPerMicron(100.0);
        op->setThickness(0.02);
        op->end();
    }
    done();
    ASSERT_EQ(context.history().undoCount(), states.size() - 1);
    for (std::size_t i = 1; i < states.size(); ++i)
        ASSERT_NE(states[i], states[i - 1]) << "step " << i << " changed something";

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(context.history().undo());
        EXPECT_EQ(volume->materials(), states[i - 1]) << "undo to state " << i - 1;
    }
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(context.history().redo());
        EXPECT_EQ(volume->materials(), states[i]) << "redo to state " << i;
    }
}

TEST_F(ProcessUndoTest, NewStepsSayWhatTheyDoAndMarkTheSiLatticeByWhatTheyChange)
{
    const unsigned id = volume->id();
    ProcessRecords &records = context.processRecords();
    {
        auto op = start<AnisotropicFilmDepositionOperation>(AnisotropicDepositionId);
        EXPECT_EQ(lines->lines.back(), "Anisotropic Deposition: Isotropic Deposition: Cell volume selected.");
        op->setThickness(1.0f);
        op->setMaterialId(Gold);
        op->end();
        EXPECT_EQ(lines->lines.back(), "Anisotropic Deposition: Operation finished.");
        EXPECT_FALSE(records.hasSiLatticeRecord(id)) << "gold leaves the lattice alone";
        EXPECT_EQ(context.history().undoTitle(), "Anisotropic Deposition");
    }
    etch(Gold, 9.0f);
    {
        auto op = start<IonImplantationOperation>(IonImplantationId);
        op->setDepth(1.0f);
        op->end();
        EXPECT_EQ(lines->lines.back(), "Ion Implantation: Operation Canceled!") << "no annealing distance, no material";
    }
    {
        auto op = start<DopingOperation>(DopingId);
        op->setDepth(1.0f);
        op->setMaterialId(Oxide); // not dopable itself: what the silicon becomes
        op->end();
        EXPECT_EQ(lines->lines.back(), "Doping: Operation finished.");
        EXPECT_TRUE(records.needsSiLatticeRebuild(id));
    }
    records.setSiLatticeStale(id, false);
    const std::size_t undoable = context.history().undoCount();
    const auto before = volume->materials();
    for (const double microns : {0.01, 0.0}) {
        auto op = start<SimpleSiOxidationOperation>(SiOxidationId);
        op->setCellUnitsPerMicron(100.0);
        if (microns > 0) {
            op->setThickness(microns);
        } else {
            op->setTime(2.0);
            op->setTemperature(0.0); // the model gives no thickness at all
            op->setPressure(1.0);
        }
        op->end();
        EXPECT_EQ(lines->lines.back(), "Simple Si Oxidation: The oxide is thinner than one cell; nothing was oxidized.");
        EXPECT_FALSE(context.currentOperation());
    }
    EXPECT_EQ(volume->materials(), before);
    EXPECT_FALSE(records.needsSiLatticeRebuild(id)) << "nothing oxidized: the lattice still matches";
    EXPECT_EQ(context.history().undoCount(), undoable) << "nothing to undo";
    EXPECT_EQ(records.lastOperation(id), int(DopingId));

    auto op = start<SimpleSiOxidationOperation>(SiOxidationId);
    op->setTime(2.0);
    op->setTemperature(1273.0);
    op->setPressure(1.0);
    op->setCellUnitsPerMicron(30.0);
    op->end();
    EXPECT_EQ(lines->lines[lines->lines.size() - 2], "Simple Si Oxidation: Operation finished.");
    EXPECT_EQ(lines->lines.back(), "Simple Si Oxidation: No cell changed.")
        << "the doping turned all of the silicon at the surface into oxide";
    EXPECT_TRUE(records.needsSiLatticeRebuild(id));
    EXPECT_EQ(context.history().undoTitle(), "Simple Si Oxidation");
}

TEST_F(ProcessUndoTest, MooreDepositionAndEtchingKeepTheirRecordsApartUnderTheSharedKey)
{
    const auto initial = volume->materials();
    auto grow = start<MooreNeighborhoodDepositionOperation>(MooreDepositionId);
    grow->setSteps(2);
    grow->setMaterialId(Oxide);
    grow->end();
    EXPECT_EQ(lines->lines.back(), "Moore film deposition: Operation finished.");
    const auto grown = volume->materials();
    auto remove = start<MooreNeighborhoodEtchingOperation>(MooreEtchingId);
    remove->setSteps(1);
    remove->setMaterialId(Oxide);
    remove->end();
    EXPECT_EQ(lines->lines.back(), "Moore film etching: Operation finished.");
    const auto etched = volume->materials();
    ASSERT_NE(grown, initial);
    ASSERT_NE(etched, grown);
    // However many of either a session makes, no two share a record name.
    std::set<std::pair<std::string, int>> names;
    for (int i = 0; i < 40; ++i)
        for (unsigned id : {MooreDepositionId, MooreEtchingId}) {
            const auto op = boost::dynamic_pointer_cast<ProcessOperation>(OperationFactory(&context).createOperation(id));
            ASSERT_TRUE(op);
            EXPECT_EQ(op->states().key(), "MooreFilmDep");
            EXPECT_TRUE(names.insert({op->states().key(), op->states().instance()}).second) << op->title();
        }
    EXPECT_EQ(context.history().undoTitle(), "Moore film etching");

    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(volume->materials(), grown);
    EXPECT_EQ(context.history().undoTitle(), "Moore film deposition");
    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(volume->materials(), initial);
    ASSERT_TRUE(context.history().redo());
    EXPECT_EQ(volume->materials(), grown);
    ASSERT_TRUE(context.history().redo());
    EXPECT_EQ(volume->materials(), etched);
}

TEST_F(ProcessUndoTest, ColumnStepsAndRieUndoRedoAndKeepTheirRecords)
{
    struct Case
    {
        unsigned id;
        const char *title;
        std::function<void(Operation &)> options;
        bool outdatesLattice;
    };
    const Case cases[] = {
        {PlanarizationId, "Planarization",
         [](Operation &op) {
             auto &planarization = dynamic_cast<PlanarizationOperation &>(op);
             EXPECT_EQ(planarization.volumeHeight(), 10);
             planarization.setMaximumHeight(3);
             planarization.setMinimumHeight(1);
         },
         true},
        {SpinCoatingId, "Spin Coating",
         [](Operation &op) {
             auto &coating = dynamic_cast<SpinCoatingOperation &>(op);
             coating.setMaterialId(Gold);
             coating.setHeight(6);
         },
         false},
        // Poured silicon is not in the lattice built before.
        {SpinCoatingId, "Spin Coating",
         [](Operation &op) {
             auto &coating = dynamic_cast<SpinCoatingOperation &>(op);
             coating.setMaterialId(Si);
             coating.setHeight(8);
         },
         true},
        {SimpleReactiveIonEtchingId, "Simple RIE",
         [](Operation &op) {
             auto &rie = dynamic_cast<SimpleReactiveIonEtchingOperation &>(op);
             rie.setDepth(2.0);
             rie.setMaterialId(Si);
         },
         true},
        {MooreDepositionId, "Moore film deposition",
         [](Operation &op) {
             auto &moore = dynamic_cast<MooreNeighborhoodOperation &>(op);
             moore.setSteps(1);
             moore.setMaterialId(Copper);
         },
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        context.history().clear();
        context.processRecords().setSiLatticeStale(volume->id(), false);
        const auto before = volume->materials();
        context.startOperation(c.id);
        const auto op = boost::dynamic_pointer_cast<ProcessOperation>(context.currentOperation());
        ASSERT_TRUE(op);
        c.options(*op);
        op->end();
        const auto after = volume->materials();
        ASSERT_NE(after, before);
        EXPECT_EQ(lines->lines.back(), std::string(c.title) + ": Operation finished.");
        EXPECT_EQ(context.history().undoTitle(), c.title);
        EXPECT_EQ(context.processRecords().lastOperation(volume->id()), int(c.id));
        EXPECT_EQ(context.processRecords().needsSiLatticeRebuild(volume->id()), c.outdatesLattice);

        ASSERT_TRUE(context.history().undo());
        EXPECT_EQ(volume->materials(), before);
        ASSERT_TRUE(context.history().redo());
        EXPECT_EQ(volume->materials(), after);
    }
}

TEST_F(ProcessUndoTest, ColumnStepsAndRieCancelWithoutAllTheirOptions)
{
    const auto before = volume->materials();
    auto planarization = start<PlanarizationOperation>(PlanarizationId);
    planarization->setMaximumHeight(2);
    planarization->end();
    EXPECT_EQ(lines->lines.back(), "Planarization: Operation canceled!");
    auto coating = start<SpinCoatingOperation>(SpinCoatingId);
    coating->setHeight(5);
    coating->end();
    EXPECT_EQ(lines->lines.back(), "Spin Coating: Operation canceled.");
    auto rie = start<SimpleReactiveIonEtchingOperation>(SimpleReactiveIonEtchingId);
    rie->setMaterialId(Si);
    rie->end();
    EXPECT_EQ(lines->lines.back(), "Simple RIE: Operation canceled.");
    auto moore = start<MooreNeighborhoodEtchingOperation>(MooreEtchingId);
    moore->setMaterialId(Si);
    moore->end();
    EXPECT_EQ(lines->lines.back(), "Moore film etching: Operation canceled.");
    EXPECT_EQ(volume->materials(), before);
    EXPECT_EQ(context.history().undoCount(), 0u);
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(ProcessUndoTest, RecordsOfTwoEtchingsRestoreOnlyTheirOwn)
{
    TestSupport::TempFolder temp;
    const QString file = temp.file("undo1.temp");
    auto small = boost::make_shared<TotalVolume>(2, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                 std::vector<std::uint32_t>{0, 0});
    ASSERT_TRUE(TestSupport::TempFolder::write(file, "IsotropicEtching 0 1 3\n"
                                                     "Other 1 9 9\n"
                                                     "IsotropicEtching 1 4 5\n"
                                                     "IsotropicEtching 1 7 7\n"));
    TotalVolumeUndoRedoHelper second("IsotropicEtching", 1, nullptr);
    EXPECT_TRUE(second.loadState(file, *small));
    EXPECT_EQ(small->materials(), (std::vector<std::uint32_t>{4, 5}));
    TotalVolumeUndoRedoHelper first("IsotropicEtching", 0, nullptr);
    EXPECT_TRUE(first.loadState(file, *small));
    EXPECT_EQ(small->materials(), (std::vector<std::uint32_t>{1, 3}));
    Model::Automaton::LockedCellArrays arrays(*small);
    EXPECT_EQ(arrays.working()[1].material, 3u) << "both arrays are restored";
}

TEST_F(ProcessUndoTest, MissingOrDamagedRecordsChangeNoCell)
{
    TestSupport::TempFolder temp;
    auto small = boost::make_shared<TotalVolume>(3, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                 std::vector<std::uint32_t>{1, 2, 3});
    TotalVolumeUndoRedoHelper helper("Doping", 0, nullptr);
    EXPECT_FALSE(helper.loadState(temp.file("missing.temp"), *small));
    const QByteArray damaged[] = {"Doping 0 4 5\n", "Doping 0 4 x 6\n", "Doping 0 4 5 99999999999\n", ""};
    for (const QByteArray &text : damaged) {
        ASSERT_TRUE(TestSupport::TempFolder::write(temp.file("state.temp"), text));
        EXPECT_FALSE(helper.loadState(temp.file("state.temp"), *small)) << text.constData();
        EXPECT_EQ(small->materials(), (std::vector<std::uint32_t>{1, 2, 3}));
    }
}

TEST_F(ProcessUndoTest, AnisotropicRecordsUnderTheSharedKeyStayApart)
{
    auto small = boost::make_shared<TotalVolume>(2, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                 std::vector<std::uint32_t>{1, 1});
    TotalVolumeUndoRedoHelper isotropic("IsotropicDeposition", 0, &context);
    TotalVolumeUndoRedoHelper anisotropic("IsotropicDeposition", -1, &context);
    ASSERT_TRUE(isotropic.saveUndoState(*small));
    {
        Model::Automaton::LockedCells cells(*small);
        cells[0].material = 7;
    }
    ASSERT_TRUE(anisotropic.saveUndoState(*small));
    anisotropic.loadUndoState(*small);
    EXPECT_EQ(small->materials(), (std::vector<std::uint32_t>{7, 1}));
    isotropic.loadUndoState(*small);
    EXPECT_EQ(small->materials(), (std::vector<std::uint32_t>{1, 1}));
}

TEST_F(ProcessUndoTest, ContextsHaveTheirOwnFilesAndRemoveThem)
{
    QString first, second;
    {
        OperationContext a;
        OperationContext b;
        ASSERT_TRUE(a.stateFiles().isAvailable());
        first = a.stateFiles().undoFile();
        second = b.stateFiles().undoFile();
        EXPECT_NE(first, second);
        EXPECT_TRUE(QFileInfo::exists(first));
        EXPECT_TRUE(QFileInfo::exists(a.stateFiles().redoFile()));
        const QFileInfo undo(first);
        EXPECT_TRUE(undo.fileName().startsWith("undo") && undo.fileName().endsWith(".temp"));
        EXPECT_EQ(a.stateFiles().redoFile(), undo.dir().filePath("redo" + undo.fileName().mid(4)));
    }
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_FALSE(QFileInfo::exists(second));
}

TEST_F(ProcessUndoTest, StateFilesStayBoundedOverALongSession)
{
    context.stateFiles().setCompactionThreshold(0);
    qint64 largest = 0;
    for (int round = 0; round < 12; ++round) {
        deposit(Oxide, 1.0f);
        ASSERT_TRUE(context.history().undo());
        // A new step empties the redo stack: the undone step is gone for good.
        etch(Oxide, 1.0f);
        ASSERT_TRUE(context.history().undo());
        largest = std::max(largest, QFileInfo(context.stateFiles().undoFile()).size());
    }
    const qint64 record = TotalVolumeUndoRedoHelper::record("IsotropicEtching", 0, *volume).size();
    EXPECT_LE(largest, 4 * record) << "dropped records are rewritten away";
    ASSERT_TRUE(context.history().redo());
}

TEST_F(ProcessUndoTest, WithoutStateFilesProcessesRunAndSaySo)
{
    {
        const TestSupport::BlockedStateFolder blocked;
        ASSERT_TRUE(blocked.isBlocked());
        OperationContext homeless;
        EXPECT_FALSE(homeless.stateFiles().isAvailable());
        auto log = TestSupport::ConsoleLog::attach(homeless);
        homeless.setOperationFactory(boost::make_shared<OperationFactory>(&homeless));
        auto target = substrate();
        homeless.document().addObject(target);
        homeless.startOperation(IsotropicDepositionId);
        homeless.selectionManager().toggle({target->id()});
        homeless.consoleInput().processLine("");
        auto op = boost::dynamic_pointer_cast<IsotropicFilmDepositionOperation>(homeless.currentOperation());
        ASSERT_TRUE(op);
        const auto before = target->materials();
        op->setThickness(1.0f);
        op->setMaterialId(Oxide);
        op->end();
        EXPECT_NE(target->materials(), before) << "the process still runs";
        EXPECT_EQ(log->lines[log->lines.size() - 2], "Isotropic Deposition: Operation finished.");
        EXPECT_EQ(log->lines.back(),
                  "Isotropic Deposition: This step cannot be undone: its cell states could not be saved to the undo "
                  "files.");
        EXPECT_EQ(homeless.history().undoCount(), 0u);
        EXPECT_FALSE(homeless.currentOperation());

        // A canceled step takes its cells back from memory.
        const auto deposited = target->materials();
        homeless.setStepRunner(boost::make_shared<TestSupport::ScriptedStepRunner>(0, 2));
        homeless.startOperation(IsotropicDepositionId);
        op = boost::dynamic_pointer_cast<IsotropicFilmDepositionOperation>(homeless.currentOperation());
        ASSERT_TRUE(op);
        op->setThickness(3.0f);
        op->setMaterialId(Copper);
        op->end();
        EXPECT_EQ(target->materials(), deposited);
        EXPECT_EQ(log->lines.back(), "Isotropic Deposition: Operation canceled.");
        EXPECT_EQ(homeless.history().undoCount(), 0u);
    }
    OperationContext later;
    EXPECT_TRUE(later.stateFiles().isAvailable()) << "the folder is made again once it can be";
}

TEST_F(ProcessUndoTest, FailedAppendKeepsTheEarlierRecords)
{
    StateFiles &files = context.stateFiles();
    ASSERT_TRUE(files.isAvailable());
    auto wide = [](const char *key) {
        QByteArray text = QByteArray(key) + " 0";
        for (int i = 0; i < 200000; ++i)
            text.append(" 1");
        return text + '\n';
    };
    const QByteArray first = wide("Doping");
    ASSERT_TRUE(files.append(StateFiles::Undo, "Doping", 0, first));
    {
        TestSupport::FileSizeLimit limit(rlim_t(first.size()) + 100000);
        EXPECT_FALSE(files.append(StateFiles::Undo, "MooreFilmDep", 0, wide("MooreFilmDep")));
    }
    EXPECT_EQ(QFileInfo(files.undoFile()).size(), first.size());
    EXPECT_TRUE(TestSupport::TempFolder::read(files.undoFile()) == first) << "the earlier record is whole";

    const QByteArray next = wide("Electroplating");
    ASSERT_TRUE(files.append(StateFiles::Undo, "Electroplating", 0, next));
    EXPECT_TRUE(TestSupport::TempFolder::read(files.undoFile()) == first + next);
}

TEST_F(ProcessUndoTest, DamagedRecordsLeaveTheHistoryAsItWasAndSaySo)
{
    // Spoils the first cell of the record of `key` in `file`.
    auto damage = [](const QString &file, const QByteArray &key) {
        QByteArray text = TestSupport::TempFolder::read(file);
        const int record = text.indexOf(key + ' ');
        ASSERT_GE(record, 0);
        text[text.indexOf(' ', record + key.size() + 1) + 1] = 'x';
        ASSERT_TRUE(TestSupport::TempFolder::write(file, text));
    };
    deposit(Oxide, 2.0f);
    const auto deposited = volume->materials();
    damage(context.stateFiles().undoFile(), "IsotropicDeposition");
    EXPECT_TRUE(context.history().undo());
    EXPECT_EQ(lines->lines.back(), "Isotropic Deposition: The cells could not be restored: the undo file holds no "
                                   "whole record of this step.");
    EXPECT_EQ(volume->materials(), deposited);
    EXPECT_EQ(context.history().undoTitle(), "Isotropic Deposition") << "the step stays done";
    EXPECT_EQ(context.history().redoCount(), 0u);

    etch(Oxide, 1.0f);
    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(volume->materials(), deposited);
    damage(context.stateFiles().redoFile(), "IsotropicEtching");
    EXPECT_TRUE(context.history().redo());
    EXPECT_EQ(lines->lines.back(), "Isotropic Etching: The cells could not be restored: the redo file holds no whole "
                                   "record of this step.");
    EXPECT_EQ(volume->materials(), deposited);
    EXPECT_EQ(context.history().redoTitle(), "Isotropic Etching") << "the step stays undone";
    EXPECT_EQ(context.history().undoTitle(), "Isotropic Deposition");
}

TEST_F(ProcessUndoTest, AStepThatCannotBeRecordedClearsTheHistory)
{
    deposit(Oxide, 2.0f);
    etch(Oxide, 1.0f);
    ASSERT_TRUE(context.history().undo());
    const qint64 written = std::max(QFileInfo(context.stateFiles().undoFile()).size(),
                                    QFileInfo(context.stateFiles().redoFile()).size());
    {
        TestSupport::FileSizeLimit limit(rlim_t(written) + 16);
        deposit(Gold, 1.0f);
    }
    EXPECT_EQ(lines->lines.back(), "Isotropic Deposition: This step cannot be undone, and the undo history has been "
                                   "cleared: its cell states could not be saved to the undo files.");
    const auto plated = volume->materials();
    EXPECT_EQ(context.history().undoCount(), 0u) << "undoing the deposition would throw the gold away";
    EXPECT_EQ(context.history().redoCount(), 0u) << "redoing the etching would throw the gold away";
    EXPECT_FALSE(context.history().undo());
    EXPECT_FALSE(context.history().redo());
    EXPECT_EQ(volume->materials(), plated);
}

// A change that no undo record holds is still a change: the document stays
// unsaved until it is saved, whatever happens to the history. A step that
// changed nothing loses nothing, so it leaves the history alone.
TEST_F(ProcessUndoTest, AChangeTheUndoFilesCannotHoldLeavesTheDocumentUnsaved)
{
    deposit(Oxide, 1.0f);
    context.history().markSaved();
    ASSERT_FALSE(context.hasUnsavedChanges());
    const qint64 written = std::max(QFileInfo(context.stateFiles().undoFile()).size(),
                                    QFileInfo(context.stateFiles().redoFile()).size());
    {
        TestSupport::FileSizeLimit limit(rlim_t(written) + 16);
        etch(Copper, 1.0f);
        EXPECT_EQ(lines->lines.back(), "Isotropic Etching: No cell changed.");
        EXPECT_EQ(context.history().undoCount(), 1u) << "nothing changed, nothing to protect";
        EXPECT_FALSE(context.hasUnsavedChanges());

        deposit(Gold, 1.0f);
    }
    EXPECT_EQ(context.history().undoCount(), 0u);
    EXPECT_TRUE(context.hasUnsavedChanges()) << "the gold is in no saved file";
    const auto plated = volume->materials();

    deposit(Oxide, 1.0f);
    ASSERT_EQ(context.history().undoCount(), 1u) << "recorded again once the files can be written";
    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(volume->materials(), plated);
    EXPECT_TRUE(context.hasUnsavedChanges()) << "no undo leads back to the saved state";
}
