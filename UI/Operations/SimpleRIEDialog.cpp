#include "UI/Operations/SimpleRIEDialog.h"

#include "Core/Operations/ReactiveIonEtching/ReactiveIonEtchingProcesses.h"
#include "UI/MaterialComboBox.h"

#include <QCheckBox>
#include <QSpinBox>

namespace Ui {
namespace Operations {

SimpleRIEDialog::SimpleRIEDialog(QWidget *parent)
    : FormDialog(parent)
    , m_depth(addNumber(tr("Etch Depth"), "sbxDepth", Core::Operations::simpleRieDescriptor(), "Etch Depth", 1,
                        tr(" units")))
    , m_material(addMaterialChoice(tr("Select Material"), "cbxMaterial"))
    , m_fromBelow(new QCheckBox(tr("Etch from below"), this))
    , m_fromTop(new QCheckBox(tr("Etch from top"), this))
{
    setObjectName(QStringLiteral("SimpleRIEDialog"));
    setWindowTitle(tr("Simple RIE Options"));
    m_fromBelow->setObjectName(QStringLiteral("chkFromBelow"));
    m_fromTop->setObjectName(QStringLiteral("chkFromTop"));
    m_fromTop->setChecked(true);
    addField(m_fromBelow);
    addField(m_fromTop);
    setFixedSize(400, 280);
}

void SimpleRIEDialog::setMaterials(const std::vector<Model::Materials::Material> &materials)
{
    MaterialComboBox::fill(m_material, materials);
}

int SimpleRIEDialog::depth() const { return m_depth->value(); }
unsigned SimpleRIEDialog::materialId() const { return MaterialComboBox::selectedMaterialId(m_material); }
bool SimpleRIEDialog::fromBelow() const { return m_fromBelow->isChecked(); }
bool SimpleRIEDialog::fromTop() const { return m_fromTop->isChecked(); }

} // namespace Operations
} // namespace Ui
