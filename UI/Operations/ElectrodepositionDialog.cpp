#include "UI/Operations/ElectrodepositionDialog.h"

#include "Core/Operations/Isotropic/IsotropicProcesses.h"
#include "UI/MaterialComboBox.h"

#include <QComboBox>

namespace Ui {
namespace Operations {

ElectrodepositionDialog::ElectrodepositionDialog(QWidget *parent)
    : FilmOptionsDialog(parent, tr("Film thickness"), Core::Operations::electroplatingDescriptor(), "Film Thickness")
    , m_conducting(addMaterialChoice(tr("Conducting Material"), "cbxConductingMaterial"))
{
    setObjectName(QStringLiteral("ElectrodepositionDialog"));
    setWindowTitle(tr("Electroplating Options"));
    resize(330, 186);
}

void ElectrodepositionDialog::setConductingMaterials(const std::vector<Model::Materials::Material> &materials)
{
    MaterialComboBox::fill(m_conducting, materials);
}

unsigned ElectrodepositionDialog::conductingMaterialId() const
{
    return MaterialComboBox::selectedMaterialId(m_conducting);
}

} // namespace Operations
} // namespace Ui
