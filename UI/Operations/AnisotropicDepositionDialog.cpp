#include "UI/Operations/AnisotropicDepositionDialog.h"

#include "Core/Operations/Deposition/AnisotropicDepositionProcesses.h"
#include "UI/Operations/DeclaredRange.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QRadioButton>

namespace Ui {
namespace Operations {

AnisotropicDepositionDialog::AnisotropicDepositionDialog(QWidget *parent)
    : FilmOptionsDialog(parent, tr("Film thickness"), Core::Operations::anisotropicDepositionDescriptor(), "Thickness")
    , m_ratio(new QDoubleSpinBox(this))
    , m_top(new QRadioButton(tr("Deposit on top"), this))
    , m_bottom(new QRadioButton(tr("Deposit on bottom"), this))
    , m_both(new QRadioButton(tr("Deposit on both sides"), this))
{
    setObjectName(QStringLiteral("AnisotropicDepositionDialog"));
    setWindowTitle(tr("PVD Options"));
    resize(320, 390);
    m_ratio->setObjectName(QStringLiteral("dblHorizontalRatio"));
    DeclaredRange::limit(m_ratio, Core::Operations::anisotropicDepositionDescriptor(), "Horizontal to Vertical Ratio");
    m_ratio->setValue(0.5);
    form()->addRow(tr("Horizontal ratio"), m_ratio);
    m_top->setObjectName(QStringLiteral("rbTop"));
    m_bottom->setObjectName(QStringLiteral("rbBottom"));
    m_both->setObjectName(QStringLiteral("rbBoth"));
    m_top->setChecked(true);
    for (QRadioButton *side : {m_top, m_bottom, m_both})
        form()->addRow(side);
}

double AnisotropicDepositionDialog::horizontalRatio() const
{
    return m_ratio->value();
}

int AnisotropicDepositionDialog::side() const
{
    if (m_bottom->isChecked())
        return 2;
    return m_both->isChecked() ? 3 : 1;
}

} // namespace Operations
} // namespace Ui
