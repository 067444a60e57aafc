#include "Core/Operations/Isotropic/IsotropicFilmDepositionOperation.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/MaterialComboBox.h"
#include "UI/OperationFactory.h"
#include "UI/Operations/BCAEtchingDialog.h"
#include "UI/Operations/ElectrodepositionDialog.h"
#include "UI/Operations/IsotropicDepositionDialog.h"
#include "UI/Operations/IsotropicEtchingDialog.h"

#include "RecordingOperation.h"
#include "ModalDriver.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>

#include <gtest/gtest.h>

using namespace Ui::Operations;

namespace {

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

class ProcessDialogFlowTest : public ::testing::Test
{
protected:
    ProcessDialogFlowTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<Ui::OperationFactory>(&context, nullptr));
        std::vector<std::uint32_t> m(6 * 6 * 8, 0);
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = i % 8 < 3 ? 1u : 0u;
        volume = boost::make_shared<Model::Automaton::TotalVolume>(6, 6, 8, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
        context.document().addObject(volume);
    }

    // With two volumes the steps ask which one is meant.
    void addSecondVolume()
    {
        context.document().addObject(boost::make_shared<Model::Automaton::TotalVolume>(
            2, 2, 2, 1.0f, 1.0f, 1.0f, Util::Vector3D(), std::vector<std::uint32_t>(8, 1)));
    }

    void pickAndEnter()
    {
        context.selectionManager().toggle({volume->id()});
        context.consoleInput().processLine("");
    }

    Core::Operations::OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
    boost::shared_ptr<Model::Automaton::TotalVolume> volume;
};

} // namespace

TEST(ProcessDialogs, DepositionAndEtchingFormsAndTheirMaterials)
{
    IsotropicDepositionDialog deposition;
    EXPECT_EQ(deposition.windowTitle(), "Isotropic Film Deposition");
    EXPECT_EQ(deposition.size(), QSize(279, 150));
    auto *thickness = deposition.findChild<QDoubleSpinBox *>("dblThickness");
    ASSERT_TRUE(thickness);
    EXPECT_EQ(thickness->value(), 10.0);
    EXPECT_EQ(thickness->decimals(), 2);
    EXPECT_EQ(thickness->maximum(), 1e9);
    EXPECT_EQ(thickness->suffix(), " units");
    deposition.setMaterials(Ui::MaterialComboBox::compatibleWith("CVD"));
    EXPECT_EQ(items(deposition.findChild<QComboBox *>("cbxMaterial")), (QStringList{"Thermal Si02", "Poly-Si"}));
    EXPECT_EQ(deposition.materialId(), 3u);

    IsotropicEtchingDialog etching;
    EXPECT_EQ(etching.windowTitle(), "Isotropic Etching Options");
    bool depthLabel = false;
    for (QLabel *label : etching.findChildren<QLabel *>())
        depthLabel = depthLabel || label->text() == "Etch Depth";
    EXPECT_TRUE(depthLabel);
}

TEST(ProcessDialogs, ElectroplatingOffersEveryMaterialTwice)
{
    ElectrodepositionDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Electroplating Options");
    EXPECT_EQ(dialog.size(), QSize(330, 186));
    dialog.setConductingMaterials(Model::Materials::MaterialFactory::getInstance()->getMaterials());
    auto *conducting = dialog.findChild<QComboBox *>("cbxConductingMaterial");
    ASSERT_TRUE(conducting);
    EXPECT_EQ(conducting->count(), 15);
    conducting->setCurrentIndex(4);
    EXPECT_EQ(dialog.conductingMaterialId(), 6u);
}

TEST_F(ProcessDialogFlowTest, AcceptedOptionsRunTheProcess)
{
    // The document's only volume is taken at once: the dialog follows.
    TestSupport::whenModal<IsotropicDepositionDialog>([](IsotropicDepositionDialog *dialog) {
        dialog->setThickness(2.0);
        dialog->findChild<QComboBox *>("cbxMaterial")->setCurrentIndex(1); // Poly-Si
        dialog->accept();
    });
    context.startOperation(Core::Operations::IsotropicDepositionId);
    EXPECT_EQ(lines->lines.back(), "Isotropic Deposition: Operation finished.");
    EXPECT_EQ(volume->materials()[volume->cellIndex(2, 2, 3)], 16u);
    EXPECT_EQ(volume->materials()[volume->cellIndex(2, 2, 5)], 0u);
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(ProcessDialogFlowTest, RejectedOptionsLeaveTheOperationWaiting)
{
    addSecondVolume();
    context.startOperation(Core::Operations::IsotropicDepositionId);
    TestSupport::whenModal<IsotropicDepositionDialog>([](IsotropicDepositionDialog *dialog) { dialog->reject(); });
    pickAndEnter();
    auto op = boost::dynamic_pointer_cast<Core::Operations::IsotropicFilmDepositionOperation>(context.currentOperation());
    ASSERT_TRUE(op);
    EXPECT_EQ(op->inputCount(), 2);
    EXPECT_EQ(lines->lines.back(), "Isotropic Deposition: Cell volume selected.");
    context.cancelCurrentOperation();
    EXPECT_EQ(lines->lines.back(), "Isotropic Deposition: Operation canceled.");
}

TEST(WetEtchingDialog, DepthInLatticeUnitsWithItsHelp)
{
    BCAEtchingDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Wet Etching Options");
    auto *depth = dialog.findChild<QDoubleSpinBox *>("dblDepth");
    ASSERT_TRUE(depth);
    EXPECT_EQ(depth->decimals(), 4);
    EXPECT_EQ(depth->singleStep(), 0.353552);
    EXPECT_EQ(depth->value(), 10.0);
    EXPECT_EQ(depth->suffix(), "units");
    EXPECT_EQ(depth->toolTip(),
              "Set the depth of the etching. This is how far down the (100) plane on the surface will be etched.");
    EXPECT_EQ(dialog.findChild<QLabel *>("lblDepth")->whatsThis(), depth->toolTip());
}

TEST_F(ProcessDialogFlowTest, CancelledWetEtchOfAPickedVolumeCancels)
{
    addSecondVolume();
    const auto before = volume->materials();
    context.startOperation(Core::Operations::AtomisticWetEtchingId);
    TestSupport::whenModal<BCAEtchingDialog>([](BCAEtchingDialog *dialog) { dialog->reject(); });
    pickAndEnter();
    EXPECT_EQ(lines->lines.back(), "BCA Wet Etch: Operation canceled.");
    EXPECT_EQ(volume->materials(), before);
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(ProcessDialogFlowTest, CancelledWetEtchOfTheOnlyVolumeKeepsWaiting)
{
    TestSupport::whenModal<BCAEtchingDialog>([](BCAEtchingDialog *dialog) { dialog->reject(); });
    context.startOperation(Core::Operations::ContinuousWetEtchingId);
    EXPECT_EQ(lines->lines.back(), "Continuous Wet Etch: Cell volume selected.");
    EXPECT_TRUE(context.currentOperation());
    TestSupport::whenModal<BCAEtchingDialog>([](BCAEtchingDialog *dialog) {
        dialog->setDepth(0.5);
        dialog->accept();
    });
    context.startOperation(Core::Operations::ContinuousWetEtchingId);
    ASSERT_GE(lines->lines.size(), 2u);
    EXPECT_EQ(lines->lines[lines->lines.size() - 2], "Continuous Wet Etch: Operation finished.");
    EXPECT_EQ(lines->lines.back(), "Continuous Wet Etch: No cell changed.") << "half a unit removes no whole cell";
}
