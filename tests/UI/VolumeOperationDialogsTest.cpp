// The dialogs of gluing, cutting and film extraction, alone and driven
// through the window's factory as a user would. Invariants: the cut
// dialog's lower limits stay below their upper ones whatever is moved;
// previewed limits reach the volume at once and a rejected dialog puts the
// old ones back; accepted dialogs end their operations.
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Volumes/ChangeTotalVolumeVisualizationOptions.h"
#include "Core/Operations/Volumes/CutCellVolumeOperation.h"
#include "Core/Operations/Volumes/ExtractFilm.h"
#include "Core/Operations/Volumes/GlueSubstrateOperation.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/MaterialComboBox.h"
#include "UI/OperationFactory.h"
#include "UI/Operations/ChangeVolumeVisualizationDialog.h"
#include "UI/Operations/CutCellVolumeDialog.h"
#include "UI/Operations/ExtractFilmDialog.h"
#include "UI/Operations/GlueSubstrateDialog.h"

#include "ModalDriver.h"
#include "RecordingOperation.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace Ui::Operations;
using Corner = std::array<int, 3>;

namespace {

template<typename T = QSpinBox>
T *child(const QDialog &dialog, const char *name)
{
    auto *found = dialog.findChild<T *>(name);
    EXPECT_TRUE(found) << name;
    return found;
}

class VolumeDialogFlowTest : public ::testing::Test
{
protected:
    VolumeDialogFlowTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<Ui::OperationFactory>(&context, nullptr));
        volume = addVolume(6, 4, 8, 3);
    }

    // Silicon in the layers below `filled`.
    boost::shared_ptr<Model::Automaton::TotalVolume> addVolume(unsigned sx, unsigned sy, unsigned sz,
                                                               unsigned filled)
    {
        std::vector<std::uint32_t> m(std::size_t(sx) * sy * sz, 0);
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = i % sz < filled ? 1u : 0u;
        auto added = boost::make_shared<Model::Automaton::TotalVolume>(sx, sy, sz, 1.0f, 1.0f, 1.0f,
                                                                       Util::Vector3D(), m);
        context.document().addObject(added);
        return added;
    }

    void pickAndEnter(const boost::shared_ptr<Model::Automaton::TotalVolume> &picked)
    {
        context.selectionManager().toggle({picked->id()});
        context.consoleInput().processLine("");
    }

    Core::Operations::OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
    boost::shared_ptr<Model::Automaton::TotalVolume> volume;
};

} // namespace

TEST(GlueSubstrateDialog, LimitsFollowTheTwoVolumes)
{
    GlueSubstrateDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Glue Substrate");
    EXPECT_EQ(dialog.size(), QSize(370, 237));
    EXPECT_EQ(child(dialog, "sbxFinalZ")->maximum(), 999999999);
    EXPECT_EQ(child(dialog, "sbxFinalX")->toolTip(), "This determines the final volume size.");
    EXPECT_TRUE(child(dialog, "sbxFinalZ")->toolTip().startsWith("If you wish to continue etching/depositing"));
    EXPECT_TRUE(child(dialog, "sbxDisplacementY")->toolTip().startsWith("Allows you to move the top substrate"));
    auto *invert = child<QCheckBox>(dialog, "cbxInvert");
    ASSERT_TRUE(invert);
    EXPECT_EQ(invert->text(), "Invert Top Substrate");
    EXPECT_TRUE(invert->whatsThis().contains("if  you hold the base substrate"));

    Core::Operations::GlueLayout layout;
    layout.finalX = 40;
    layout.finalY = 30;
    layout.stackedHeight = 25;
    layout.maxDisplacementX = 10;
    layout.maxDisplacementY = 0;
    dialog.limitTo(layout);
    EXPECT_EQ(dialog.finalX(), 40u);
    EXPECT_FALSE(child(dialog, "sbxFinalX")->isEnabled());
    EXPECT_EQ(dialog.finalY(), 30u);
    EXPECT_FALSE(child(dialog, "sbxFinalY")->isEnabled());
    EXPECT_EQ(dialog.finalZ(), 25u) << "starts at the stack's height";
    child(dialog, "sbxFinalZ")->setValue(3);
    EXPECT_EQ(dialog.finalZ(), 25u) << "never below it";
    child(dialog, "sbxDisplacementX")->setValue(50);
    EXPECT_EQ(dialog.displacementX(), 10u) << "the room left stops the displacement";
    child(dialog, "sbxDisplacementY")->setValue(5);
    EXPECT_EQ(dialog.displacementY(), 0u);
}

TEST_F(VolumeDialogFlowTest, AcceptedGlueDialogGluesWithItsValues)
{
    const auto top = addVolume(3, 2, 5, 2);
    context.startOperation(Core::Operations::GlueSubstrateId);
    pickAndEnter(volume);
    TestSupport::whenModal<GlueSubstrateDialog>([](GlueSubstrateDialog *dialog) {
        child(*dialog, "sbxFinalZ")->setValue(dialog->finalZ() + 2);
        child(*dialog, "sbxDisplacementX")->setValue(3);
        child(*dialog, "sbxDisplacementY")->setValue(2);
        child<QCheckBox>(*dialog, "cbxInvert")->setChecked(true);
        dialog->accept();
    });
    const auto op = context.currentOperation();
    pickAndEnter(top);
    const auto glue = boost::dynamic_pointer_cast<Core::Operations::GlueSubstrateOperation>(op);
    ASSERT_TRUE(glue && glue->glued());
    const auto glued = glue->glued();
    EXPECT_EQ(glued->sizeX(), 6u);
    EXPECT_EQ(glued->sizeY(), 4u);
    EXPECT_EQ(glued->sizeZ(), 7u);
    EXPECT_EQ(glue->placement().displacementX, 3u);
    EXPECT_EQ(glue->placement().displacementY, 2u);
    EXPECT_TRUE(glue->placement().invert);
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(VolumeDialogFlowTest, RejectedGlueDialogLeavesTheOperationWaiting)
{
    const auto top = addVolume(3, 2, 5, 2);
    context.startOperation(Core::Operations::GlueSubstrateId);
    pickAndEnter(volume);
    TestSupport::whenModal<GlueSubstrateDialog>([](GlueSubstrateDialog *dialog) { dialog->reject(); });
    pickAndEnter(top);
    const auto glue = boost::dynamic_pointer_cast<Core::Operations::GlueSubstrateOperation>(context.currentOperation());
    ASSERT_TRUE(glue);
    EXPECT_EQ(glue->step(), Core::Operations::GlueSubstrateOperation::WaitingForOptions);
    EXPECT_EQ(context.document().allObjects().size(), 2u);
    EXPECT_EQ(lines->lines.back(), "Glue Volumes: top cell volume selected.");
}

TEST(CutCellVolumeDialog, LowerAndUpperLimitsPushEachOther)
{
    CutCellVolumeDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Cut Cell Volume");
    EXPECT_EQ(dialog.size(), QSize(541, 395));
    EXPECT_EQ(child(dialog, "sbxLowerZ")->toolTip(), "Lower Z cuttoff limit");
    EXPECT_EQ(child<QSlider>(dialog, "sldUpperY")->toolTip(), "Upper Y cutoff limit.");
    dialog.setLimits({1, 0, 2}, {5, 7, 3}, {10, 7, 4});
    EXPECT_EQ(dialog.lower(), (Corner{1, 0, 2}));
    EXPECT_EQ(dialog.upper(), (Corner{5, 7, 3}));
    EXPECT_EQ(child(dialog, "sbxLowerX")->maximum(), 9);
    EXPECT_EQ(child(dialog, "sbxUpperX")->minimum(), 1);
    EXPECT_EQ(child(dialog, "sbxUpperX")->maximum(), 10);
    EXPECT_EQ(child<QSlider>(dialog, "sldLowerX")->value(), 1);

    child(dialog, "sbxLowerX")->setValue(5);
    EXPECT_EQ(dialog.upper()[0], 6) << "a lower limit at its upper one pushes it on";
    child(dialog, "sbxUpperX")->setValue(2);
    EXPECT_EQ(dialog.lower()[0], 1) << "an upper limit at its lower one pushes it back";
    child<QSlider>(dialog, "sldLowerY")->setValue(6);
    EXPECT_EQ(dialog.lower()[1], 6) << "the slider moves its spin box";
    EXPECT_EQ(child<QSlider>(dialog, "sldUpperY")->value(), 7);
    child(dialog, "sbxUpperZ")->setValue(1);
    EXPECT_EQ(dialog.lower()[2], 0);
    EXPECT_EQ(child<QSlider>(dialog, "sldLowerZ")->value(), 0) << "the spin box moves its slider";

    child<QPushButton>(dialog, "btnReset")->click();
    EXPECT_EQ(dialog.lower(), (Corner{0, 0, 0}));
    EXPECT_EQ(dialog.upper(), (Corner{10, 7, 4}));
}

TEST(CutCellVolumeDialog, PreviewAsksForEveryChangeOnlyWhileChecked)
{
    CutCellVolumeDialog dialog;
    dialog.setLimits({0, 0, 0}, {4, 4, 4}, {4, 4, 4});
    QSignalSpy previews(&dialog, &CutCellVolumeDialog::previewRequested);
    auto *preview = child<QCheckBox>(dialog, "cbxPreview");
    ASSERT_TRUE(preview);
    EXPECT_FALSE(preview->isChecked());
    child(dialog, "sbxLowerX")->setValue(2);
    EXPECT_EQ(previews.count(), 0);
    preview->setChecked(true);
    EXPECT_EQ(previews.count(), 1) << "checking shows the limits as they are";
    child(dialog, "sbxLowerX")->setValue(3);
    EXPECT_EQ(previews.count(), 2);
    child(dialog, "sbxUpperX")->setValue(3);
    EXPECT_EQ(previews.count(), 3) << "a change that pushes the other limit is shown once";
    child<QPushButton>(dialog, "btnReset")->click();
    EXPECT_EQ(previews.count(), 4);
}

TEST_F(VolumeDialogFlowTest, PreviewedLimitsShowAtOnceAndRejectPutsTheOldOnesBack)
{
    volume->painter().setDrawRange({1, 1, 1}, {5, 4, 8});
    context.selectionManager().setMode(true);
    Corner seenWhileOpen{};
    TestSupport::whenModal<CutCellVolumeDialog>([&](CutCellVolumeDialog *dialog) {
        EXPECT_EQ(dialog->lower(), (Corner{1, 1, 1}));
        child<QCheckBox>(*dialog, "cbxPreview")->setChecked(true);
        child(*dialog, "sbxUpperZ")->setValue(3);
        seenWhileOpen = volume->viewOptions().drawRange.upper;
        dialog->reject();
    });
    context.startOperation(Core::Operations::CutCellVolumeId);
    pickAndEnter(volume);
    EXPECT_EQ(seenWhileOpen, (Corner{5, 4, 3}));
    EXPECT_EQ(volume->viewOptions().drawRange.lower, (Corner{1, 1, 1}));
    EXPECT_EQ(volume->viewOptions().drawRange.upper, (Corner{5, 4, 8}));
    EXPECT_EQ(lines->lines.back(), "Change Cut Planes: Operation Canceled!");
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(VolumeDialogFlowTest, AcceptedCutAppliesTheLimits)
{
    context.selectionManager().setMode(true);
    TestSupport::whenModal<CutCellVolumeDialog>([](CutCellVolumeDialog *dialog) {
        child(*dialog, "sbxLowerY")->setValue(2);
        child(*dialog, "sbxUpperX")->setValue(4);
        dialog->accept();
    });
    context.startOperation(Core::Operations::CutCellVolumeId);
    pickAndEnter(volume);
    EXPECT_EQ(volume->viewOptions().drawRange.lower, (Corner{0, 2, 0}));
    EXPECT_EQ(volume->viewOptions().drawRange.upper, (Corner{4, 4, 8}));
    EXPECT_EQ(lines->lines.back(), "Change Cut Planes: Cut planes changed.");
}

TEST_F(VolumeDialogFlowTest, FilmDialogOffersEveryMaterialAndItsChoiceIsExtracted)
{
    context.selectionManager().setMode(true);
    std::vector<unsigned> offered;
    TestSupport::whenModal<ExtractFilmDialog>([&](ExtractFilmDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Extract Film");
        EXPECT_EQ(dialog->size(), QSize(280, 160));
        EXPECT_EQ(child<QCheckBox>(*dialog, "cbxInvert")->text(), "Invert film after extraction");
        auto *films = child<QComboBox>(*dialog, "cbxFilm");
        for (int i = 0; i < films->count(); ++i)
            offered.push_back(films->itemData(i).toUInt());
        Ui::MaterialComboBox::selectMaterial(films, 1);
        child<QCheckBox>(*dialog, "cbxInvert")->setChecked(true);
        dialog->accept();
    });
    context.startOperation(Core::Operations::ExtractFilmId);
    pickAndEnter(volume);
    EXPECT_EQ(offered.size(), Model::Materials::MaterialFactory::getInstance()->getMaterials().size());
    EXPECT_TRUE(std::is_sorted(offered.begin(), offered.end()));
    EXPECT_EQ(lines->lines.back(), "Extract Film: film extracted.");
    ASSERT_EQ(context.document().allObjects().size(), 2u);
    auto film = boost::dynamic_pointer_cast<Model::Automaton::TotalVolume>(context.document().allObjects()[1]);
    ASSERT_TRUE(film);
    // Three layers of silicon, turned over and dropped to the floor.
    EXPECT_EQ(film->materials(), volume->materials());
}

TEST_F(VolumeDialogFlowTest, RejectedFilmDialogCancelsSilently)
{
    context.selectionManager().setMode(true);
    TestSupport::whenModal<ExtractFilmDialog>([](ExtractFilmDialog *dialog) { dialog->reject(); });
    context.startOperation(Core::Operations::ExtractFilmId);
    pickAndEnter(volume);
    EXPECT_EQ(lines->lines.back(), "Extract Film: cell volume selected.");
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(context.document().allObjects().size(), 1u);
}

TEST(ChangeVolumeVisualizationDialog, ShowsTheGivenOptionsOnThreeTabsAndCollectsNewColours)
{
    ChangeVolumeVisualizationDialog dialog(nullptr, false, true, true, false, true, true, 2);
    EXPECT_EQ(dialog.windowTitle(), "Change Volume Visualization Options");
    auto *tabs = child<QTabWidget>(dialog, "tabWidget");
    ASSERT_TRUE(tabs);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "Si Visualization");
    EXPECT_EQ(tabs->tabText(1), "Film Visualization");
    EXPECT_EQ(tabs->tabText(2), "Surface Generation");
    EXPECT_EQ(child<QCheckBox>(dialog, "cbxRenderAtoms")->text(), "Render Si Atoms");
    EXPECT_EQ(child<QCheckBox>(dialog, "cbxEmptyVoxelOutlines")->text(), "Render Empty Voxel Outlines");
    EXPECT_FALSE(dialog.renderAtoms());
    EXPECT_TRUE(dialog.renderSurfaceAtomsOnly());
    EXPECT_TRUE(dialog.renderAtomLinks());
    EXPECT_FALSE(dialog.renderUnitCellOutlines());
    EXPECT_TRUE(dialog.renderUnitCells());
    EXPECT_TRUE(dialog.renderEmptyVoxelOutlines());
    EXPECT_EQ(dialog.algorithm(), 2);
    auto *algorithms = child<QComboBox>(dialog, "cbxAlgorithm");
    ASSERT_EQ(algorithms->count(), 3);
    EXPECT_EQ(algorithms->itemText(0), "Direct Cubic Surface Generation");
    EXPECT_EQ(algorithms->itemText(1), "Marching Cubes");
    EXPECT_EQ(algorithms->itemText(2), "Octree Surface Generation");

    auto *surfaceOnly = child<QCheckBox>(dialog, "cbxSurfaceAtomsOnly");
    EXPECT_FALSE(surfaceOnly->isEnabled()) << "only while atoms are rendered";
    child<QCheckBox>(dialog, "cbxRenderAtoms")->setChecked(true);
    EXPECT_TRUE(surfaceOnly->isEnabled());

    using Model::Materials::Material;
    dialog.setMaterials({Material(1, "Si", 1, 1, 1, {0.5f, 0.5f, 0.5f, 1.0f}),
                         Material(5, "Cu", 1, 1, 1, {1.0f, 0.8f, 0.3f, 1.0f})});
    auto *list = child<QListWidget>(dialog, "lstMaterials");
    ASSERT_EQ(list->count(), 2);
    const QList<QLabel *> labels = list->itemWidget(list->item(1))->findChildren<QLabel *>();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_TRUE(labels[0]->styleSheet().startsWith("background-color : #ffcc4c")) << labels[0]->styleSheet().toStdString();
    EXPECT_EQ(labels[1]->text(), "Cu");

    list->setCurrentRow(1);
    QString title;
    TestSupport::whenModal<QColorDialog>([&title](QColorDialog *chooser) {
        title = chooser->windowTitle();
        chooser->setCurrentColor(QColor(0, 255, 0, 128));
        chooser->accept();
    });
    child<QPushButton>(dialog, "btnChangeColor")->click();
    EXPECT_EQ(title, "Select new film color");
    const auto changed = dialog.changedMaterials();
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].id(), 5u);
    EXPECT_NEAR(changed[0].colour().green, 1.0f, 1e-3f);
    EXPECT_NEAR(changed[0].colour().alpha, 128 / 255.0f, 1e-3f) << "the alpha decides translucency";
    EXPECT_TRUE(labels[0]->styleSheet().startsWith("background-color : #00ff00"));

    list->setCurrentRow(0);
    TestSupport::whenModal<QColorDialog>([](QColorDialog *chooser) { chooser->reject(); });
    child<QPushButton>(dialog, "btnChangeColor")->click();
    EXPECT_EQ(dialog.changedMaterials().size(), 1u) << "a cancelled choice changes nothing";
}

TEST_F(VolumeDialogFlowTest, AcceptedVisualizationOptionsGoToTheVolumeAndNewColoursToTheCatalogue)
{
    using Core::Operations::ChangeTotalVolumeVisualizationOptions;
    const auto catalogue = Model::Materials::MaterialFactory::getInstance();
    const Model::Materials::Material copper = catalogue->getMaterial(5);
    context.startOperation(Core::Operations::ChangeVisualizationOptionsId);
    EXPECT_EQ(lines->lines.back(), "Change Visualization: Select a cell volume and press Enter/Return.");
    TestSupport::whenModal<ChangeVolumeVisualizationDialog>([](ChangeVolumeVisualizationDialog *dialog) {
        EXPECT_FALSE(dialog->renderAtoms()) << "the volume's current options are shown";
        EXPECT_TRUE(dialog->renderSurfaceAtomsOnly());
        EXPECT_EQ(dialog->algorithm(), 0);
        child<QCheckBox>(*dialog, "cbxRenderAtoms")->setChecked(true);
        child<QCheckBox>(*dialog, "cbxSurfaceAtomsOnly")->setChecked(false);
        child<QCheckBox>(*dialog, "cbxRenderUnitCellOutlines")->setChecked(true);
        child<QCheckBox>(*dialog, "cbxEmptyVoxelOutlines")->setChecked(true);
        child<QComboBox>(*dialog, "cbxAlgorithm")->setCurrentIndex(1);
        auto *list = child<QListWidget>(*dialog, "lstMaterials");
        for (int row = 0; row < list->count(); ++row)
            if (list->itemWidget(list->item(row))->findChildren<QLabel *>().value(1)->text() == "Cu (bulk)")
                list->setCurrentRow(row);
        TestSupport::whenModal<QColorDialog>([](QColorDialog *chooser) {
            chooser->setCurrentColor(QColor(10, 20, 250));
            chooser->accept();
        });
        child<QPushButton>(*dialog, "btnChangeColor")->click();
        dialog->accept();
    });
    pickAndEnter(volume);

    EXPECT_EQ(lines->lines.back(), "Change Visualization: Options changed.");
    EXPECT_EQ(lines->lines[lines->lines.size() - 2], "Change Visualization: Cell volume selected.");
    EXPECT_FALSE(context.currentOperation());
    EXPECT_TRUE(context.history().undoTitle().empty()) << "the cells did not change: nothing to undo";
    const auto painter = volume->painter();
    EXPECT_TRUE(painter.atomViewFlags().atoms);
    EXPECT_FALSE(painter.atomViewFlags().surfaceAtomsOnly);
    EXPECT_TRUE(painter.atomViewFlags().unitCellOutlines);
    EXPECT_FALSE(painter.atomViewFlags().unitCells);
    EXPECT_TRUE(painter.rendersEmptyVoxelOutlines());
    EXPECT_EQ(painter.algorithm(), Model::Automaton::SurfaceGenerationAlgorithm::MarchingCubes);

    EXPECT_NEAR(catalogue->getMaterial(5).colour().blue, 250 / 255.0f, 1e-3f);
    Model::Materials::MaterialFactory reread(QFileInfo(catalogue->filePath()).absolutePath());
    ASSERT_TRUE(reread.loadMaterials());
    EXPECT_NEAR(reread.getMaterial(5).colour().blue, 250 / 255.0f, 1e-2f) << "saved to the materials file";
    catalogue->setMaterial(copper);
    catalogue->saveMaterials();
}

TEST_F(VolumeDialogFlowTest, RejectedVisualizationOptionsSayCanceledAndChangeNothing)
{
    using Core::Operations::ChangeTotalVolumeVisualizationOptions;
    const auto before = volume->viewOptions();
    context.selectionManager().toggle({volume->id()});
    TestSupport::whenModal<ChangeVolumeVisualizationDialog>([](ChangeVolumeVisualizationDialog *dialog) {
        child<QComboBox>(*dialog, "cbxAlgorithm")->setCurrentIndex(2);
        dialog->reject();
    });
    context.startOperation(Core::Operations::ChangeVisualizationOptionsId);
    EXPECT_EQ(lines->lines.back(), "Change Visualization: Operation Canceled!");
    EXPECT_EQ(volume->viewOptions(), before);
    // Like moving and copying, the operation stays until the next replaces it.
    const auto waiting =
        boost::dynamic_pointer_cast<ChangeTotalVolumeVisualizationOptions>(context.currentOperation());
    ASSERT_TRUE(waiting);
    ChangeTotalVolumeVisualizationOptions::Options options;
    options.algorithm = Model::Automaton::SurfaceGenerationAlgorithm::OctreeSurface;
    waiting->setOptions(options);
    waiting->end();
    EXPECT_EQ(volume->viewOptions().algorithm, Model::Automaton::SurfaceGenerationAlgorithm::OctreeSurface);

    // Ended without options: canceled and abandoned.
    context.startOperation(Core::Operations::ChangeVisualizationOptionsId);
    ASSERT_TRUE(context.currentOperation());
    context.currentOperation()->end();
    EXPECT_EQ(lines->lines.back(), "Change Visualization: Operation Canceled!");
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(VolumeDialogFlowTest, VisualizationOptionsKeepOneObserverForTheirClass)
{
    const auto first = context.operationFactory()->createOperation(Core::Operations::ChangeVisualizationOptionsId);
    const auto observer = first->observer();
    ASSERT_TRUE(observer);
    const auto second = context.operationFactory()->createOperation(Core::Operations::ChangeVisualizationOptionsId);
    EXPECT_NE(second->observer(), observer) << "each creation replaces it";
    EXPECT_EQ(first->observer(), second->observer()) << "shared by every operation of the class";
}

