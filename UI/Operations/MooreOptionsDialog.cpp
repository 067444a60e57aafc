#include "UI/Operations/MooreOptionsDialog.h"

#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodProcesses.h"
#include "UI/MaterialComboBox.h"

#include <QLabel>
#include <QSpinBox>

namespace Ui {
namespace Operations {

MooreOptionsDialog::MooreOptionsDialog(QWidget *parent)
    : FormDialog(parent)
    // Deposition and etching take the same numbers of cells.
    , m_steps(addNumber(tr("Select Value"), "sbxSteps", Core::Operations::mooreDepositionDescriptor(), "Thickness", 1,
                        tr(" cells"), &m_valueLabel))
    , m_material(addMaterialChoice(tr("Select Film"), "cbxMaterial"))
{
    setObjectName(QStringLiteral("MooreOptionsDialog"));
    setWindowTitle(tr("Operation Options"));
    resize(369, 223);
}

void MooreOptionsDialog::setValueLabel(const QString &text) { m_valueLabel->setText(text); }
int MooreOptionsDialog::steps() const { return m_steps->value(); }
void MooreOptionsDialog::setSteps(int steps) { m_steps->setValue(steps); }
unsigned MooreOptionsDialog::materialId() const { return MaterialComboBox::selectedMaterialId(m_material); }

void MooreOptionsDialog::setMaterials(const std::vector<Model::Materials::Material> &materials)
{
    MaterialComboBox::fill(m_material, materials);
}

} // namespace Operations
} // namespace Ui
