// The dialogs of gluing, cutting and film extraction, alone and driven
// through the window's factory as a user would. Invariants: the cut
// dialog's lower limits stay below their upper ones whatever is moved;
// previewed limits reach the volume at once and a rejected dialog puts the
// old ones back; accepted dialogs end their operations.
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Volumes/CutCellVolumeOperation.h"
#include "Core/Operations/Volumes/ExtractFilm.h"
#include "Core/Operations/Volumes/GlueSubstrateOperation.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/MaterialComboBox.h"
#include "UI/OperationFactory.h"
#include "UI/Operations/CutCellVolumeDialog.h"
#include "UI/Operations/ExtractFilmDialog.h"
#include "UI/Operations/GlueSubstrateDialog.h"

#include "ModalDriver.h"
#include "RecordingOperation.h"

#include <QCheckBox>
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
