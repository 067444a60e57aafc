#include "UI/Operations/SpinCoatingOptionsDialog.h"

#include "Core/Operations/Planarization/PlanarizationProcesses.h"
#include "UI/MaterialComboBox.h"

#include <QSpinBox>

namespace Ui {
namespace Operations {

SpinCoatingOptionsDialog::SpinCoatingOptionsDialog(QWidget *parent)
    : FormDialog(parent)
    , m_material(addMaterialChoice(tr("Material"), "cbxMaterial"))
    , m_height(addNumber(tr("Deposition Height"), "sbxHeight", Core::Operations::spinCoatingDescriptor(),
                         "Maximum Height", 0, tr(" cells")))
{
    setObjectName(QStringLiteral("SpinCoatingOptionsDialog"));
    setWindowTitle(tr("Pour Material Options"));
    resize(207, 190);
}

void SpinCoatingOptionsDialog::setMaterials(const std::vector<Model::Materials::Material> &materials)
{
    MaterialComboBox::fill(m_material, materials);
}

void SpinCoatingOptionsDialog::limitToHeight(int height) { m_height->setMaximum(height); }
unsigned SpinCoatingOptionsDialog::materialId() const { return MaterialComboBox::selectedMaterialId(m_material); }
int SpinCoatingOptionsDialog::height() const { return m_height->value(); }
void SpinCoatingOptionsDialog::setHeight(int height) { m_height->setValue(height); }

} // namespace Operations
} // namespace Ui
