#include "UI/Operations/IonImplantationOptionsDialog.h"

#include <QDoubleSpinBox>
#include <QFormLayout>

namespace Ui {
namespace Operations {

IonImplantationOptionsDialog::IonImplantationOptionsDialog(QWidget *parent)
    : FilmOptionsDialog(parent, tr("Implantation Depth"), 2, tr("Doped Material"))
    , m_annealing(new QDoubleSpinBox(this))
{
    setObjectName(QStringLiteral("IonImplantationOptionsDialog"));
    setWindowTitle(tr("Ion Implantation Options"));
    resize(268, 239);
    m_annealing->setObjectName(QStringLiteral("dblAnnealing"));
    m_annealing->setRange(0.0, 1e9);
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
