#include "UI/Operations/FilmOptionsDialog.h"

#include "UI/MaterialComboBox.h"
#include "UI/Operations/DeclaredRange.h"

#include <QComboBox>
#include <QDoubleSpinBox>

namespace Ui {
namespace Operations {

FilmOptionsDialog::FilmOptionsDialog(QWidget *parent, const QString &thicknessLabel,
                                     const Core::Operations::ProcessDescriptor &process, const char *amount,
                                     int decimals, const QString &materialLabel)
    : FormDialog(parent)
    , m_thickness(new QDoubleSpinBox(this))
{
    m_thickness->setObjectName(QStringLiteral("dblThickness"));
    m_thickness->setDecimals(decimals);
    DeclaredRange::limit(m_thickness, process, amount);
    m_thickness->setValue(10.0);
    m_thickness->setSuffix(tr(" units"));
    addField(thicknessLabel, m_thickness);
    m_material = addMaterialChoice(materialLabel.isEmpty() ? tr("Material") : materialLabel, "cbxMaterial");
}

double FilmOptionsDialog::thickness() const { return m_thickness->value(); }
void FilmOptionsDialog::setThickness(double value) { m_thickness->setValue(value); }
unsigned FilmOptionsDialog::materialId() const { return MaterialComboBox::selectedMaterialId(m_material); }

void FilmOptionsDialog::setMaterials(const std::vector<Model::Materials::Material> &materials)
{
    MaterialComboBox::fill(m_material, materials);
    for (const Model::Materials::Material &material : materials)
        if (m_avoided != 0 && material.id() != m_avoided && MaterialComboBox::selectMaterial(m_material, material.id()))
            break;
}

} // namespace Operations
} // namespace Ui
