#include "UI/Operations/IonImplantationOptionsDialog.h"

#include "Core/Operations/Doping/DopingProcesses.h"
#include "UI/Operations/DeclaredRange.h"

#include <QDoubleSpinBox>
#include <QFormLayout>

namespace Ui {
namespace Operations {

IonImplantationOptionsDialog::IonImplantationOptionsDialog(QWidget *parent)
    : FilmOptionsDialog(parent, tr("Implantation Depth"), Core::Operations::ionImplantationDescriptor(),
                        "Implantation Depth", 2, tr("Doped Material"))
    , m_annealing(new QDoubleSpinBox(this))
{
    setObjectName(QStringLiteral("IonImplantationOptionsDialog"));
    setWindowTitle(tr("Ion Implantation Options"));
    resize(268, 239);
    // The implanted cells become the doped material: silicon would change
    // none of the silicon.
    openOnMaterialOtherThan(Model::Materials::SiliconId);
    m_annealing->setObjectName(QStringLiteral("dblAnnealing"));
    DeclaredRange::limit(m_annealing, Core::Operations::ionImplantationDescriptor(), "Annealing Distance");
    m_annealing->setValue(10.0);
    m_annealing->setSuffix(tr(" units"));
    // Between the depth and the material.
    form()->insertRow(1, tr("Annealing Distance"), m_annealing);
}

double IonImplantationOptionsDialog::annealingDistance() const
{
    return m_annealing->value();
}

} // namespace Operations
} // namespace Ui
