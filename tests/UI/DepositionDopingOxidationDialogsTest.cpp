// The option dialogs of directional deposition, doping, ion implantation and
// thermal oxidation, and the observers that hand their values on.
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"
#include "UI/MaterialComboBox.h"
#include "UI/OperationFactory.h"
#include "UI/Operations/AnisotropicDepositionDialog.h"
#include "UI/Operations/DopingOptionsDialog.h"
#include "UI/Operations/IonImplantationOptionsDialog.h"
#include "UI/Operations/SimpleOxidationOptionsDialog.h"

#include "ModalDriver.h"
#include "RecordingOperation.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace Ui::Operations;
using Core::Operations::OperationContext;

namespace {

constexpr std::uint32_t Si = 1;

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QDoubleSpinBox *spin(QDialog &dialog, const char *name)
{
    auto *box = dialog.findChild<QDoubleSpinBox *>(name);
    EXPECT_TRUE(box) << name;
    return box;
}

// The material column of the volume (Si below z 3) at x 2, y 2.
class OptionFlowTest : public ::testing::Test
{
protected:
    OptionFlowTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<Ui::OperationFactory>(&context, nullptr));
        std::vector<std::uint32_t> m(6 * 6 * 8, 0);
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = i % 8 < 3 ? Si : 0u;
        volume = boost::make_shared<Model::Automaton::TotalVolume>(6, 6, 8, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
        context.document().addObject(volume);
    }

    std::vector<std::uint32_t> column() const
    {
        const auto all = volume->materials();
        return std::vector<std::uint32_t>(all.begin() + volume->cellIndex(2, 2, 0),
                                          all.begin() + volume->cellIndex(2, 2, 0) + 8);
    }

    OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
    boost::shared_ptr<Model::Automaton::TotalVolume> volume;
};

} // namespace

TEST(DirectionalDepositionDialog, FormDefaultsAndTheChosenSide)
{
    AnisotropicDepositionDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "PVD Options");
    EXPECT_EQ(dialog.size(), QSize(320, 390));
    EXPECT_EQ(dialog.thickness(), 10.0);
    QDoubleSpinBox *ratio = spin(dialog, "dblHorizontalRatio");
    ASSERT_TRUE(ratio);
    EXPECT_EQ(ratio->value(), 0.5);
    EXPECT_EQ(ratio->minimum(), 0.01) << "a ratio of 0 would make sideways steps endless";
    EXPECT_EQ(ratio->maximum(), 1e9);
    dialog.setMaterials(Ui::MaterialComboBox::compatibleWith("PVD"));
    EXPECT_EQ(items(dialog.findChild<QComboBox *>("cbxMaterial")).size(), 7);
    EXPECT_EQ(dialog.materialId(), 4u);

    EXPECT_EQ(dialog.side(), 1);
    dialog.findChild<QRadioButton *>("rbBottom")->setChecked(true);
    EXPECT_EQ(dialog.side(), 2);
    dialog.findChild<QRadioButton *>("rbBoth")->setChecked(true);
    EXPECT_EQ(dialog.side(), 3);
    EXPECT_FALSE(dialog.findChild<QRadioButton *>("rbTop")->isChecked()) << "one side at a time";
}

TEST(DopingDialogs, DopingAndImplantationFormsAndTheirMaterials)
{
    DopingOptionsDialog doping;
    EXPECT_EQ(doping.windowTitle(), "Doping Options");
    EXPECT_EQ(doping.size(), QSize(400, 239));
    QDoubleSpinBox *depth = spin(doping, "dblThickness");
    ASSERT_TRUE(depth);
    EXPECT_EQ(depth->decimals(), 4);
    EXPECT_EQ(depth->value(), 10.0);
    auto *choice = doping.findChild<QComboBox *>("cbxMaterial");
    auto *form = doping.findChild<QFormLayout *>();
    ASSERT_TRUE(form);
    auto *label = qobject_cast<QLabel *>(form->labelForField(choice));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), "Doped Material");
    EXPECT_TRUE(label->toolTip().startsWith("This is the doped material. Not to be confused"));
    doping.setMaterials(Ui::MaterialComboBox::compatibleWith("Simple Doping"));
    EXPECT_EQ(items(choice), (QStringList{"Si", "N-doped Si (100)", "P-doped Si (100)", "Poly-Si"}));

    IonImplantationOptionsDialog implantation;
    EXPECT_EQ(implantation.windowTitle(), "Ion Implantation Options");
    EXPECT_EQ(implantation.size(), QSize(268, 239));
    EXPECT_EQ(implantation.depth(), 10.0);
    QDoubleSpinBox *annealing = spin(implantation, "dblAnnealing");
    ASSERT_TRUE(annealing);
    EXPECT_EQ(annealing->value(), 10.0);
    EXPECT_EQ(annealing->suffix(), " units");
    auto *rows = implantation.findChild<QFormLayout *>();
    ASSERT_TRUE(rows);
    EXPECT_EQ(qobject_cast<QLabel *>(rows->labelForField(annealing))->text(), "Annealing Distance");
}

TEST(OxidationDialog, EachModeEnablesItsOwnFields)
{
    SimpleOxidationOptionsDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Si Oxidation Options");
    EXPECT_EQ(dialog.size(), QSize(400, 350));
    EXPECT_FALSE(dialog.timeChosen());
    EXPECT_EQ(dialog.oxideThickness(), 10.0);
    EXPECT_EQ(dialog.time(), 2.0);
    EXPECT_EQ(dialog.temperature(), 1273.0);
    EXPECT_EQ(dialog.pressure(), 1.0);
    EXPECT_EQ(dialog.cellUnitsPerMicron(), 100.0);
    QDoubleSpinBox *units = spin(dialog, "dblCellUnits");
    ASSERT_TRUE(units);
    EXPECT_EQ(units->minimum(), 0.01);
    EXPECT_TRUE(units->toolTip().startsWith("Conversion between cell units and microns."));
    EXPECT_EQ(spin(dialog, "dblPressure")->maximum(), 1.0);

    const auto enabled = [&](const char *name) { return spin(dialog, name)->isEnabled(); };
    EXPECT_TRUE(enabled("dblThickness"));
    EXPECT_FALSE(enabled("dblTime") || enabled("dblTemperature") || enabled("dblPressure"));
    dialog.findChild<QRadioButton *>("rbTime")->setChecked(true);
    EXPECT_TRUE(dialog.timeChosen());
    EXPECT_FALSE(enabled("dblThickness"));
    EXPECT_TRUE(enabled("dblTime") && enabled("dblTemperature") && enabled("dblPressure"));
    EXPECT_TRUE(enabled("dblCellUnits"));
    dialog.findChild<QRadioButton *>("rbThickness")->setChecked(true);
    EXPECT_TRUE(enabled("dblThickness"));
    EXPECT_FALSE(enabled("dblTime"));
}

TEST_F(OptionFlowTest, DirectionalDepositionRunsWithTheChosenRatioAndSide)
{
    TestSupport::whenModal<AnisotropicDepositionDialog>([](AnisotropicDepositionDialog *dialog) {
        dialog->setThickness(2.0);
        dialog->findChild<QRadioButton *>("rbBottom")->setChecked(true);
        dialog->accept();
    });
    context.startOperation(Core::Operations::AnisotropicDepositionId);
    EXPECT_EQ(lines->lines[lines->lines.size() - 2], "Anisotropic Deposition: Operation finished.");
    EXPECT_EQ(lines->lines.back(), "Anisotropic Deposition: No cell changed.");
    EXPECT_EQ(column(), (std::vector<std::uint32_t>{Si, Si, Si, 0, 0, 0, 0, 0})) << "nothing faces down";

    TestSupport::whenModal<AnisotropicDepositionDialog>([](AnisotropicDepositionDialog *dialog) {
        dialog->setThickness(2.0);
        dialog->findChild<QComboBox *>("cbxMaterial")->setCurrentIndex(1); // Cu
        dialog->accept();
    });
    context.startOperation(Core::Operations::AnisotropicDepositionId);
    EXPECT_EQ(column(), (std::vector<std::uint32_t>{Si, Si, Si, 5, 5, 0, 0, 0}));
}

TEST_F(OptionFlowTest, DopingAndImplantationRunWithTheirDepths)
{
    TestSupport::whenModal<IonImplantationOptionsDialog>([](IonImplantationOptionsDialog *dialog) {
        dialog->setThickness(2.0);
        dialog->findChild<QDoubleSpinBox *>("dblAnnealing")->setValue(0.0);
        dialog->findChild<QComboBox *>("cbxMaterial")->setCurrentIndex(2); // P-doped
        dialog->accept();
    });
    context.startOperation(Core::Operations::IonImplantationId);
    EXPECT_EQ(lines->lines.back(), "Ion Implantation: Operation finished.");
    EXPECT_EQ(column(), (std::vector<std::uint32_t>{Si, 15, Si, 0, 0, 0, 0, 0}));

    TestSupport::whenModal<DopingOptionsDialog>([](DopingOptionsDialog *dialog) {
        dialog->setThickness(1.0);
        dialog->findChild<QComboBox *>("cbxMaterial")->setCurrentIndex(1); // N-doped
        dialog->accept();
    });
    context.startOperation(Core::Operations::DopingId);
    EXPECT_EQ(lines->lines.back(), "Doping: Operation finished.");
    EXPECT_EQ(column(), (std::vector<std::uint32_t>{Si, 15, 14, 0, 0, 0, 0, 0}));
}

TEST_F(OptionFlowTest, OxidationRunsByTimeOrByThickness)
{
    TestSupport::whenModal<SimpleOxidationOptionsDialog>([](SimpleOxidationOptionsDialog *dialog) {
        dialog->findChild<QDoubleSpinBox *>("dblThickness")->setValue(0.01); // one cell at 100 per micron
        dialog->accept();
    });
    context.startOperation(Core::Operations::SiOxidationId);
    EXPECT_EQ(lines->lines.back(), "Simple Si Oxidation: The oxide is thinner than one cell; nothing was oxidized.");
    EXPECT_EQ(column(), (std::vector<std::uint32_t>{Si, Si, Si, 0, 0, 0, 0, 0}));

    // 2 h at 1273 K give 0.105 µm: 2.1 cells at 20 per micron.
    TestSupport::whenModal<SimpleOxidationOptionsDialog>([](SimpleOxidationOptionsDialog *dialog) {
        dialog->findChild<QRadioButton *>("rbTime")->setChecked(true);
        dialog->findChild<QDoubleSpinBox *>("dblCellUnits")->setValue(20.0);
        dialog->accept();
    });
    context.startOperation(Core::Operations::SiOxidationId);
    EXPECT_EQ(lines->lines.back(), "Simple Si Oxidation: Operation finished.");
    EXPECT_EQ(column(), (std::vector<std::uint32_t>{Si, Si, 3, 3, 0, 0, 0, 0}));
}

// Silicon doped into silicon changes no cell: the doping dialogs open on the
// first material they offer that is not the silicon they dope, so that
// accepting their defaults dopes.
TEST(DopingDialogs, OpenOnADopedMaterialOtherThanSilicon)
{
    DopingOptionsDialog doping;
    doping.setMaterials(Ui::MaterialComboBox::compatibleWith("Simple Doping"));
    EXPECT_EQ(doping.materialId(), 14u);
    IonImplantationOptionsDialog implantation;
    implantation.setMaterials(Ui::MaterialComboBox::compatibleWith("Ion Implantation"));
    EXPECT_EQ(implantation.materialId(), 14u);

    // With silicon alone to offer, silicon it is.
    doping.setMaterials({Model::Materials::Material(Si, "Si", 2329, 1.88e11f, 0.28f)});
    EXPECT_EQ(doping.materialId(), Si);
}

TEST_F(OptionFlowTest, DopingWithTheDialogsDefaultsDopesTheSurface)
{
    TestSupport::whenModal<DopingOptionsDialog>([](DopingOptionsDialog *dialog) {
        dialog->setThickness(1.0);
        dialog->accept();
    });
    context.startOperation(Core::Operations::DopingId);
    EXPECT_EQ(lines->lines.back(), "Doping: Operation finished.");
    EXPECT_EQ(column(), (std::vector<std::uint32_t>{Si, Si, 14, 0, 0, 0, 0, 0}));
}
