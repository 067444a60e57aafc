// The "Batch Run" dialog: composing a list through the process dialogs,
// editing, storing and loading it, and running it while the window stays
// alive, as one step of the history.
#include "UI/BatchRun/RunProcessesDialog.h"

#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/Documents/DocumentRecovery.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/Undo/StateFolder.h"
#include "Model/Automaton/CellVolumes.h"
#include "Model/Automaton/TotalVolume.h"
#include "UI/BatchRun/ProcessListArchiver.h"
#include "UI/Operations/IsotropicDepositionDialog.h"
#include "UI/Operations/MooreOptionsDialog.h"
#include "Util/IObserver.h"

#include "BatchEntries.h"
#include "BlockedStateFolder.h"
#include "ModalDriver.h"
#include "TempFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using Core::Operations::OperationContext;
using TestSupport::cellsOf;
using TestSupport::filmEntry;
using TestSupport::substrateEntry;
using Ui::ProcessData;
using Ui::RunProcessesDialog;

namespace {

constexpr std::uint32_t Oxide = 3, Aluminium = 4;

std::vector<int> idsOf(const std::list<ProcessData> &entries)
{
    std::vector<int> ids;
    for (const ProcessData &entry : entries)
        ids.push_back(entry.id());
    return ids;
}

class RunProcessesDialogTest : public ::testing::Test
{
protected:
    // Runs the list and returns once the dialog has reported its end.
    void runToEnd()
    {
        QEventLoop loop;
        QObject::connect(&dialog, &RunProcessesDialog::runFinished, &loop, &QEventLoop::quit);
        dialog.runButton()->click();
        if (dialog.isRunning() || !dialog.runButton()->text().startsWith("Run"))
            loop.exec();
    }

    void select(int row)
    {
        dialog.tree()->clearSelection();
        dialog.tree()->topLevelItem(row)->setSelected(true);
    }

    // Outlives the context, whose recovery copy may live in it.
    std::unique_ptr<Core::Operations::StateFolder> recoveryFolder;
    OperationContext context;
    RunProcessesDialog dialog{&context, {}, nullptr};
    TestSupport::TempFolder folder;
};

} // namespace

TEST_F(RunProcessesDialogTest, EntriesComeFromTheProcessDialogsInTheChoiceOrder)
{
    QComboBox *choice = dialog.processChoice();
    ASSERT_EQ(choice->count(), 16);
    const char *const order[] = {"CVD", "PVD", "Isotropic Etching", "Moore Deposition", "Moore Etching",
                                 "Photolithography", "Planarization", "Si Wet Etching", "Electroplating", "Doping",
                                 "Ion Implantation", "Spin Coating", "Simple RIE", "Thermal Oxidation",
                                 "Create Substrate", "Save Image"};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(choice->itemText(i), order[i]);

    choice->setCurrentText("CVD");
    TestSupport::whenModal<Ui::Operations::IsotropicDepositionDialog>([](Ui::Operations::IsotropicDepositionDialog *d) {
        d->setThickness(2.5);
        d->accept();
    });
    dialog.findChild<QPushButton *>("btnAddProcess")->click();
    ASSERT_EQ(dialog.entries().size(), 1u);
    const ProcessData &cvd = dialog.entries().front();
    EXPECT_EQ(cvd.type(), ProcessData::Cvd);
    EXPECT_EQ(cvd.parameter("Thickness"), QVariant(2.5));
    EXPECT_FALSE(cvd.isVisible("MaterialId"));
    EXPECT_FALSE(cvd.isVisible("Material_Color"));

    // The tree shows the visible parameters in name order, the material
    // with its colour.
    QTreeWidgetItem *row = dialog.tree()->topLevelItem(0);
    EXPECT_EQ(row->text(0), "1");
    EXPECT_EQ(row->text(1), "CVD");
    ASSERT_EQ(row->childCount(), 2);
    EXPECT_EQ(row->child(0)->text(2), "Material");
    EXPECT_FALSE(row->child(0)->icon(3).isNull());
    EXPECT_EQ(row->child(1)->text(2), "Thickness");
    EXPECT_EQ(row->child(1)->text(3), "2.5");

    // The Moore dialog names its amount after the process; a rejected
    // dialog adds nothing.
    choice->setCurrentText("Moore Etching");
    QString label;
    TestSupport::whenModal<Ui::Operations::MooreOptionsDialog>([&label](Ui::Operations::MooreOptionsDialog *d) {
        for (const QLabel *text : d->findChildren<QLabel *>())
            label += text->text() + ";";
        d->reject();
    });
    dialog.findChild<QPushButton *>("btnAddProcess")->click();
    EXPECT_TRUE(label.contains("Etch Depth")) << label.toStdString();
    EXPECT_EQ(dialog.entries().size(), 1u);
}

TEST_F(RunProcessesDialogTest, MovingRemovingAndSelectingKeepToWholeSteps)
{
    dialog.setEntries({substrateEntry(), filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide),
                       filmEntry(ProcessData::IsotropicEtching, "Depth", 1, Oxide)});
    const std::vector<int> ids = idsOf(dialog.entries());

    select(0);
    dialog.on_btnMoveUp_clicked();
    EXPECT_EQ(idsOf(dialog.entries()), ids) << "the first step cannot go up";
    select(2);
    dialog.on_btnMoveDown_clicked();
    EXPECT_EQ(idsOf(dialog.entries()), ids) << "the last step cannot go down";
    select(0);
    dialog.on_btnMoveDown_clicked();
    EXPECT_EQ(idsOf(dialog.entries()), (std::vector<int>{ids[1], ids[0], ids[2]}));
    EXPECT_EQ(dialog.tree()->topLevelItem(0)->text(0), "1");
    EXPECT_EQ(dialog.tree()->topLevelItem(1)->text(1), "Create Substrate");

    // A parameter row does not stay selected; a process row does.
    dialog.tree()->clearSelection();
    dialog.tree()->topLevelItem(0)->child(0)->setSelected(true);
    EXPECT_TRUE(dialog.tree()->selectedItems().isEmpty());
    dialog.tree()->topLevelItem(2)->setSelected(true);
    EXPECT_EQ(dialog.tree()->selectedItems().size(), 1);

    dialog.on_btnRemoveProcess_clicked();
    EXPECT_EQ(idsOf(dialog.entries()), (std::vector<int>{ids[1], ids[0]}));
}

TEST_F(RunProcessesDialogTest, ListsGoToFilesAndBackAndADamagedFileLeavesTheList)
{
    dialog.setEntries({substrateEntry(), filmEntry(ProcessData::Cvd, "Thickness", 2.5, Oxide)});
    const QString file = folder.file("flow.plst");
    ASSERT_TRUE(dialog.saveList(file));

    RunProcessesDialog other(&context, {}, nullptr);
    ASSERT_TRUE(other.loadList(file));
    ASSERT_EQ(other.entries().size(), 2u);
    EXPECT_EQ(other.entries().back().type(), ProcessData::Cvd);
    EXPECT_EQ(other.entries().back().parameter("Thickness").toDouble(), 2.5);
    EXPECT_EQ(other.entries().front().parameters(), dialog.entries().front().parameters());
    EXPECT_EQ(other.tree()->topLevelItemCount(), 2);

    const QString damaged = folder.file("damaged.plst");
    QByteArray text = TestSupport::TempFolder::read(file);
    text.chop(text.size() / 3);
    ASSERT_TRUE(TestSupport::TempFolder::write(damaged, text));
    const std::vector<int> before = idsOf(other.entries());
    TestSupport::whenModal<QMessageBox>([](QMessageBox *box) { box->accept(); });
    EXPECT_FALSE(other.loadList(damaged));
    EXPECT_EQ(idsOf(other.entries()), before);

    // A misspelt entry: the rest is loaded, and the warning names it.
    QByteArray misspelt = TestSupport::TempFolder::read(file);
    const int second = misspelt.lastIndexOf("<Process-Data");
    const int line = misspelt.left(second).count('\n') + 1;
    misspelt.replace(second, int(qstrlen("<Process-Data")), "<Process-Step");
    misspelt.replace(misspelt.lastIndexOf("</Process-Data>"), int(qstrlen("</Process-Data>")), "</Process-Step>");
    const QString misspeltFile = folder.file("misspelt.plst");
    ASSERT_TRUE(TestSupport::TempFolder::write(misspeltFile, misspelt));
    QString warning;
    TestSupport::whenModal<QMessageBox>([&warning](QMessageBox *box) {
        warning = box->text();
        box->accept();
    });
    EXPECT_TRUE(other.loadList(misspeltFile));
    EXPECT_EQ(other.entries().size(), 1u);
    EXPECT_TRUE(warning.endsWith(QStringLiteral("line %1: unknown element <Process-Step> skipped").arg(line)))
        << warning.toStdString();
}

// A saved list keeps the mask file an entry names with the layout's choices,
// which the run reads, and the flags drawn from it, which older versions
// run.
TEST_F(RunProcessesDialogTest, SavedListsKeepTheMaskFileItsLayoutChoicesAndTheFlags)
{
    const QString layout = folder.file("masks/switch.gds");
    ProcessData entry(ProcessData::Photolithography);
    entry.setParameter("MaterialId", 11u, false);
    entry.setParameter("Top Mask", QVariant::fromValue(Ui::MaskVector{true, false}), false);
    entry.setParameter("Top Mask Width", 2u);
    entry.setParameter("Top Mask Height", 1u);
    entry.setParameter("Top Mask File", layout);
    entry.setParameter("Top Mask Cell", QStringLiteral("SWITCH"));
    entry.setParameter("Top Mask Layer", 40000u);
    entry.setParameter("Top Mask Datatype", 2u);
    entry.setParameter("Top Mask Units per Cell", 0.25);
    entry.setParameter("Top Mask Offset X", 1.5);
    entry.setParameter("Top Mask Offset Y", -2.0);
    dialog.setEntries({entry});
    const QString file = folder.file("switch.plst");
    ASSERT_TRUE(dialog.saveList(file));

    RunProcessesDialog other(&context, {}, nullptr);
    ASSERT_TRUE(other.loadList(file));
    ASSERT_EQ(other.entries().size(), 1u);
    const ProcessData &read = other.entries().front();
    EXPECT_EQ(read.parameter("Top Mask").value<Ui::MaskVector>(), (Ui::MaskVector{true, false}));
    EXPECT_EQ(read.parameter("Top Mask Width"), QVariant(2u));
    EXPECT_EQ(read.parameter("Top Mask File"), QVariant(layout));
    EXPECT_EQ(read.parameter("Top Mask Cell"), QVariant(QStringLiteral("SWITCH")));
    EXPECT_EQ(read.parameter("Top Mask Layer"), QVariant(40000u));
    EXPECT_EQ(read.parameter("Top Mask Datatype"), QVariant(2u));
    EXPECT_EQ(read.parameter("Top Mask Units per Cell"), QVariant(0.25));
    EXPECT_EQ(read.parameter("Top Mask Offset X"), QVariant(1.5));
    EXPECT_EQ(read.parameter("Top Mask Offset Y"), QVariant(-2.0));
}

TEST_F(RunProcessesDialogTest, AListWithoutAVolumeCreatesDepositsAndDrawsIt)
{
    const QString image = folder.file("flow.png");
    ProcessData picture(ProcessData::SaveImage);
    picture.setParameter("Filename", image);
    dialog.setEntries({substrateEntry(), filmEntry(ProcessData::Cvd, "Thickness", 2, Aluminium), picture});
    runToEnd();

    ASSERT_EQ(context.document().allObjects().size(), 1u);
    ASSERT_TRUE(dialog.volume());
    EXPECT_EQ(context.document().allObjects().front(), dialog.volume());
    EXPECT_GT(cellsOf(*dialog.volume(), Aluminium), 0u);
    EXPECT_GT(QFileInfo(image).size(), 0) << dialog.problemOf(picture.id()).toStdString();
    EXPECT_EQ(dialog.progressBar()->value(), 3);
    EXPECT_TRUE(dialog.progressBar()->isEnabled());
}

TEST_F(RunProcessesDialogTest, AStepWithoutItsThicknessIsMarkedAndTheNextOneRuns)
{
    std::vector<std::string> lines;
    struct Lines : Util::IObserver
    {
        Lines(Core::Operations::ConsoleInput &c, std::vector<std::string> &l) : console(c), lines(l) {}
        void notify() override { lines.push_back(console.message()); }
        Core::Operations::ConsoleInput &console;
        std::vector<std::string> &lines;
    };
    context.consoleInput().addMessageObserver(boost::make_shared<Lines>(context.consoleInput(), lines));
    ProcessData broken = filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide);
    broken.removeParameter("Thickness");
    dialog.setEntries({substrateEntry(), broken, filmEntry(ProcessData::Cvd, "Thickness", 2, Aluminium)});
    runToEnd();

    EXPECT_GT(cellsOf(*dialog.volume(), Aluminium), 0u);
    EXPECT_FALSE(dialog.problemOf(broken.id()).isEmpty());
    QTreeWidgetItem *marked = dialog.tree()->topLevelItem(1);
    EXPECT_FALSE(marked->icon(1).isNull());
    EXPECT_TRUE(marked->toolTip(1).contains("Thickness")) << marked->toolTip(1).toStdString();
    EXPECT_TRUE(dialog.tree()->topLevelItem(2)->icon(1).isNull());
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("Batch Run: Step 2 (CVD) did not run: ", 0), 0u) << lines.back();
}

// A crash during a run costs at most the entry that was running: the
// dialog keeps the window's recovery copy after the entries it sees end,
// before the run becomes a step of the history (which keeps a copy of its
// own).
TEST_F(RunProcessesDialogTest, TheRecoveryCopyHoldsWhatTheEntriesMadeBeforeTheRunIsAStep)
{
    recoveryFolder = std::make_unique<Core::Operations::StateFolder>(folder.path(),
                                                                     Core::Operations::StateFolder::KeepEnded);
    auto recovery = boost::make_shared<Core::Operations::DocumentRecovery>(recoveryFolder.get(),
                                                                           QStringLiteral("document-1.cvx"));
    // Told before the history's own copy is taken.
    std::vector<std::uint32_t> copied;
    bool told = false;
    struct WhenTheRunIsAStep : Util::IObserver
    {
        explicit WhenTheRunIsAStep(std::function<void()> look) : look(std::move(look)) {}
        void notify() override { look(); }
        std::function<void()> look;
    };
    context.history().addSavedStateObserver(boost::make_shared<WhenTheRunIsAStep>([&] {
        if (told)
            return;
        told = true;
        recovery->waitForWrites();
        OperationContext reopened;
        const auto result = Core::Operations::DocumentFiles::open(recovery->filePath(), reopened);
        const auto volume = Model::Automaton::firstCellVolume(reopened.document().allObjects());
        if (result.ok && volume)
            copied = volume->materials();
    }));
    context.setRecovery(recovery);
    dialog.setEntries({substrateEntry(), filmEntry(ProcessData::Cvd, "Thickness", 2, Aluminium)});
    runToEnd();

    ASSERT_TRUE(told);
    ASSERT_TRUE(dialog.volume());
    EXPECT_EQ(copied, dialog.volume()->materials());
    EXPECT_GT(cellsOf(*dialog.volume(), Aluminium), 0u);
}

TEST_F(RunProcessesDialogTest, RunPressedTwiceStartsOneRun)
{
    dialog.setEntries({substrateEntry()});
    QEventLoop loop;
    QObject::connect(&dialog, &RunProcessesDialog::runFinished, &loop, &QEventLoop::quit);
    dialog.runButton()->click();
    dialog.runButton()->click();
    if (dialog.isRunning() || dialog.runButton()->text() != "Run")
        loop.exec();
    EXPECT_EQ(context.document().allObjects().size(), 1u);
    EXPECT_EQ(context.history().undoCount(), 1u);
}

TEST_F(RunProcessesDialogTest, WithoutAVolumeAndNoSubstrateTheRunSaysSo)
{
    dialog.setEntries({filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide)});
    QString title;
    TestSupport::whenModal<QMessageBox>([&title](QMessageBox *box) {
        title = box->windowTitle();
        box->accept();
    });
    runToEnd();
    EXPECT_EQ(title, "Missing Cell Volume");
    EXPECT_EQ(dialog.progressBar()->value(), 0);
    EXPECT_EQ(context.history().undoCount(), 0u) << "nothing ran, nothing to undo";
}

TEST_F(RunProcessesDialogTest, UndoOfARunRestoresTheDocumentAsBeforeAndRedoBringsItBack)
{
    // A run on a selected volume that deposits on it and then makes a new one.
    {
        RunProcessesDialog first(&context, {}, nullptr);
        first.setEntries({substrateEntry()});
        QEventLoop loop;
        QObject::connect(&first, &RunProcessesDialog::runFinished, &loop, &QEventLoop::quit);
        first.runButton()->click();
        loop.exec();
    }
    context.history().clear();
    const auto start = boost::dynamic_pointer_cast<Model::Automaton::TotalVolume>(context.document().allObjects().front());
    ASSERT_TRUE(start);
    const std::vector<std::uint32_t> before = start->materials();

    RunProcessesDialog run(&context, start, nullptr);
    run.setEntries({filmEntry(ProcessData::Cvd, "Thickness", 2, Oxide), substrateEntry(),
                    filmEntry(ProcessData::Cvd, "Thickness", 1, Aluminium)});
    QEventLoop loop;
    QObject::connect(&run, &RunProcessesDialog::runFinished, &loop, &QEventLoop::quit);
    run.runButton()->click();
    loop.exec();
    const std::vector<std::uint32_t> after = start->materials();
    ASSERT_NE(after, before);
    ASSERT_EQ(context.document().allObjects().size(), 2u);
    ASSERT_EQ(context.history().undoCount(), 1u);
    EXPECT_EQ(context.history().undoTitle(), "Batch Run");

    ASSERT_TRUE(context.history().undo());
    EXPECT_EQ(start->materials(), before);
    EXPECT_EQ(context.document().allObjects(), std::vector<Model::Document::ObjectPtr>{start})
        << "the volume the run made is gone";

    ASSERT_TRUE(context.history().redo());
    EXPECT_EQ(start->materials(), after);
    ASSERT_EQ(context.document().allObjects().size(), 2u);
    EXPECT_EQ(context.document().allObjects().back(), run.volume());
}

namespace {

// Collects the lines the console shows.
struct ConsoleLines : Util::IObserver
{
    explicit ConsoleLines(Core::Operations::ConsoleInput &c) : console(c) {}
    void notify() override { lines.push_back(console.message()); }
    Core::Operations::ConsoleInput &console;
    std::vector<std::string> lines;
};

} // namespace

// An entry that ran but changed nothing says so on the console; the run
// goes on and counts it as done.
TEST_F(RunProcessesDialogTest, AStepThatChangedNoCellSaysSo)
{
    const auto console = boost::make_shared<ConsoleLines>(context.consoleInput());
    context.consoleInput().addMessageObserver(console);
    dialog.setEntries({substrateEntry(), filmEntry(ProcessData::IsotropicEtching, "Depth", 1, Aluminium)});
    runToEnd();
    ASSERT_FALSE(console->lines.empty());
    EXPECT_EQ(console->lines.back(), "Batch Run: Step 2 (Isotropic etching): No cell changed.");
    EXPECT_TRUE(dialog.problemOf(dialog.entries().back().id()).isEmpty());
}

// The undo files cannot be written: the run's cells cannot be undone, and
// the document it changed is unsaved until it is saved, whatever the
// history holds.
TEST(RunProcessesDialogWithoutUndoFiles, ARunThatCannotBeRecordedLeavesTheDocumentUnsaved)
{
    const TestSupport::BlockedStateFolder blocked;
    ASSERT_TRUE(blocked.isBlocked());

    OperationContext context;
    ASSERT_FALSE(context.stateFiles().isAvailable());
    std::vector<std::uint32_t> cells(6 * 6 * 6, 0u);
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = i % 6 < 2 ? 1u : 0u;
    const auto volume =
        boost::make_shared<Model::Automaton::TotalVolume>(6, 6, 6, 1.0f, 1.0f, 1.0f, Util::Vector3D(), cells);
    context.document().addObject(volume);
    context.history().markSaved();
    const auto console = boost::make_shared<ConsoleLines>(context.consoleInput());
    context.consoleInput().addMessageObserver(console);

    RunProcessesDialog run(&context, volume, nullptr);
    run.setEntries({filmEntry(ProcessData::Cvd, "Thickness", 1, Oxide)});
    QEventLoop loop;
    QObject::connect(&run, &RunProcessesDialog::runFinished, &loop, &QEventLoop::quit);
    run.runButton()->click();
    if (run.isRunning())
        loop.exec();
    EXPECT_GT(cellsOf(*volume, Oxide), 0u);
    EXPECT_EQ(context.history().undoCount(), 0u);
    EXPECT_TRUE(context.hasUnsavedChanges());
    ASSERT_FALSE(console->lines.empty());
    EXPECT_EQ(console->lines.back().rfind("Batch Run: This run cannot be undone", 0), 0u) << console->lines.back();
}

// "Save each step to…": every entry leaves the volume as it then was, and a
// collection of the steps; a folder that cannot be written to is said on
// the console for each step, and the run still goes on.
TEST_F(RunProcessesDialogTest, SavingEachStepWritesTheVolumeAfterEveryEntry)
{
    const QString steps = folder.file("steps");
    ASSERT_TRUE(QDir().mkdir(steps));
    dialog.setStepFolder(steps);
    EXPECT_TRUE(dialog.findChild<QCheckBox *>("chkSaveSteps")->isChecked());
    dialog.setEntries({substrateEntry(), filmEntry(ProcessData::Cvd, "Thickness", 2, Aluminium)});
    runToEnd();
    EXPECT_EQ(QDir(steps).entryList(QDir::Files),
              (QStringList{"flow.pvd", "step-001-Create_Substrate.vti", "step-002-CVD.vti"}));
    EXPECT_TRUE(TestSupport::TempFolder::read(steps + "/flow.pvd").contains("timestep=\"2\""));

    ASSERT_TRUE(TestSupport::TempFolder::write(folder.file("plain"), "a file"));
    dialog.setStepFolder(folder.file("plain/steps"));
    runToEnd();
    EXPECT_GT(cellsOf(*dialog.volume(), Aluminium), 0u);
    EXPECT_TRUE(dialog.problemOf(dialog.entries().back().id()).isEmpty());

    dialog.setStepFolder(QString());
    EXPECT_FALSE(dialog.findChild<QCheckBox *>("chkSaveSteps")->isChecked());
}
