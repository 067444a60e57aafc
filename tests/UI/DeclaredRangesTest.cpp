// The option dialogs offer the numbers their processes declare. Invariants
// checked, for every number field of every process dialog:
// - each end of the field is a value its process can mean, so the window's
//   operations, which take their values from these dialogs, never run with
//   one a list entry would be refused for;
// - one step beyond either end is not, so the dialog offers all of the
//   declared range that its precision can show;
// - a dialog whose material choice is empty cannot be accepted: it would
//   give material 0, the empty cell.
#include "Core/Operations/Deposition/AnisotropicDepositionProcesses.h"
#include "Core/Operations/Doping/DopingProcesses.h"
#include "Core/Operations/Isotropic/IsotropicProcesses.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodProcesses.h"
#include "Core/Operations/Planarization/PlanarizationProcesses.h"
#include "Core/Operations/ReactiveIonEtching/ReactiveIonEtchingProcesses.h"
#include "Core/Operations/SiEtching/SiWetEtchingProcesses.h"
#include "Core/Operations/SiOxidation/SiOxidationProcesses.h"
#include "UI/MaterialComboBox.h"
#include "UI/Operations/AnisotropicDepositionDialog.h"
#include "UI/Operations/BCAEtchingDialog.h"
#include "UI/Operations/DopingOptionsDialog.h"
#include "UI/Operations/ElectrodepositionDialog.h"
#include "UI/Operations/IonImplantationOptionsDialog.h"
#include "UI/Operations/IsotropicDepositionDialog.h"
#include "UI/Operations/IsotropicEtchingDialog.h"
#include "UI/Operations/MooreOptionsDialog.h"
#include "UI/Operations/PlanarizationOptionsDialog.h"
#include "UI/Operations/SimpleOxidationOptionsDialog.h"
#include "UI/Operations/SimpleRIEDialog.h"
#include "UI/Operations/SpinCoatingOptionsDialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

using namespace Core::Operations;
using namespace Ui::Operations;

namespace {

struct Field
{
    std::function<QDialog *()> dialog;
    const char *box;
    const ProcessDescriptor &process;
    const char *parameter;
};

template<typename DialogT>
std::function<QDialog *()> make()
{
    return [] { return new DialogT; };
}

// Whether the process means the number: it reads it without a problem.
bool meant(const ParameterDeclaration &declared, double value)
{
    return declared.refusal(value, QString::number(value)).isEmpty();
}

} // namespace

TEST(DeclaredRanges, EveryNumberFieldOffersTheRangeItsProcessDeclares)
{
    const Field fields[] = {
        {make<IsotropicDepositionDialog>(), "dblThickness", isotropicDepositionDescriptor(), "Thickness"},
        {make<IsotropicEtchingDialog>(), "dblThickness", isotropicEtchingDescriptor(), "Depth"},
        {make<ElectrodepositionDialog>(), "dblThickness", electroplatingDescriptor(), "Film Thickness"},
        {make<AnisotropicDepositionDialog>(), "dblThickness", anisotropicDepositionDescriptor(), "Thickness"},
        {make<AnisotropicDepositionDialog>(), "dblHorizontalRatio", anisotropicDepositionDescriptor(),
         "Horizontal to Vertical Ratio"},
        {make<DopingOptionsDialog>(), "dblThickness", dopingDescriptor(), "Doping Depth"},
        {make<IonImplantationOptionsDialog>(), "dblThickness", ionImplantationDescriptor(), "Implantation Depth"},
        {make<IonImplantationOptionsDialog>(), "dblAnnealing", ionImplantationDescriptor(), "Annealing Distance"},
        {make<SimpleOxidationOptionsDialog>(), "dblThickness", siOxidationDescriptor(), "Oxidation Thickness"},
        {make<SimpleOxidationOptionsDialog>(), "dblTime", siOxidationDescriptor(), "Oxidation Time"},
        {make<SimpleOxidationOptionsDialog>(), "dblTemperature", siOxidationDescriptor(), "Oxidation Temperature"},
        {make<SimpleOxidationOptionsDialog>(), "dblPressure", siOxidationDescriptor(), "Oxidation Pressure"},
        {make<SimpleOxidationOptionsDialog>(), "dblCellUnits", siOxidationDescriptor(), "Micron Conversion"},
        {make<BCAEtchingDialog>(), "dblDepth", atomisticWetEtchingDescriptor(), "Depth"},
        {make<BCAEtchingDialog>(), "dblDepth", continuousWetEtchingDescriptor(), "Depth"},
        {make<MooreOptionsDialog>(), "sbxSteps", mooreDepositionDescriptor(), "Thickness"},
        {make<MooreOptionsDialog>(), "sbxSteps", mooreEtchingDescriptor(), "Depth"},
        {make<PlanarizationOptionsDialog>(), "sbxMinimumHeight", planarizationDescriptor(), "Minimum Height"},
        {make<PlanarizationOptionsDialog>(), "sbxMaximumHeight", planarizationDescriptor(), "Maximum Height"},
        {make<SpinCoatingOptionsDialog>(), "sbxHeight", spinCoatingDescriptor(), "Maximum Height"},
        {make<SimpleRIEDialog>(), "sbxDepth", simpleRieDescriptor(), "Etch Depth"},
    };
    for (const Field &field : fields) {
        SCOPED_TRACE(std::string(field.process.title()) + ": " + field.parameter);
        const ParameterDeclaration *declared = field.process.parameter(QLatin1String(field.parameter));
        ASSERT_TRUE(declared);
        ASSERT_TRUE(declared->range.isLimited());
        const std::unique_ptr<QDialog> dialog(field.dialog());
        double lowest = 0, highest = 0, step = 1;
        if (auto *real = dialog->findChild<QDoubleSpinBox *>(QLatin1String(field.box))) {
            lowest = real->minimum();
            highest = real->maximum();
            step = std::pow(10.0, -real->decimals());
        } else if (auto *whole = dialog->findChild<QSpinBox *>(QLatin1String(field.box))) {
            lowest = whole->minimum();
            highest = whole->maximum();
        } else {
            ADD_FAILURE() << "no field " << field.box;
            continue;
        }
        EXPECT_TRUE(meant(*declared, lowest)) << lowest;
        EXPECT_TRUE(meant(*declared, highest)) << highest;
        EXPECT_FALSE(meant(*declared, lowest - step)) << lowest - step;
        EXPECT_FALSE(meant(*declared, highest + step)) << highest + step;
    }
}

TEST(DeclaredRanges, AMaterialChoiceWithNothingToChooseCannotBeAccepted)
{
    DopingOptionsDialog dialog;
    QPushButton *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    ASSERT_TRUE(ok);
    EXPECT_FALSE(ok->isEnabled()) << "no material yet";
    dialog.setMaterials(Ui::MaterialComboBox::compatibleWith(QStringLiteral("Simple Doping")));
    EXPECT_TRUE(ok->isEnabled());
    dialog.setMaterials({});
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(dialog.materialId(), 0u);

    ElectrodepositionDialog plating;
    QPushButton *platingOk = plating.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    plating.setMaterials(Ui::MaterialComboBox::compatibleWith(QStringLiteral("Electroplating")));
    EXPECT_FALSE(platingOk->isEnabled()) << "no conducting material yet";
    plating.setConductingMaterials(Ui::MaterialComboBox::compatibleWith(QStringLiteral("Electroplating")));
    EXPECT_TRUE(platingOk->isEnabled());
}
