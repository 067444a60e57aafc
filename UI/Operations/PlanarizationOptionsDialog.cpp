#include "UI/Operations/PlanarizationOptionsDialog.h"

#include "Core/Operations/Planarization/PlanarizationProcesses.h"

#include <QSpinBox>

namespace Ui {
namespace Operations {

PlanarizationOptionsDialog::PlanarizationOptionsDialog(QWidget *parent)
    : FormDialog(parent)
    , m_minimum(addNumber(tr("Minimum Height"), "sbxMinimumHeight", Core::Operations::planarizationDescriptor(),
                          "Minimum Height", 0, tr(" cells")))
    , m_maximum(addNumber(tr("Maximum Height"), "sbxMaximumHeight", Core::Operations::planarizationDescriptor(),
                          "Maximum Height", 0, tr(" cells")))
{
    // Until it knows the volume, everything is kept.
    m_maximum->setValue(m_maximum->maximum());
    setObjectName(QStringLiteral("PlanarizationOptionsDialog"));
    setWindowTitle(tr("Planarization Options"));
    resize(400, 190);
    m_minimum->setToolTip(tr("All cells below this height will be removed."));
    m_maximum->setToolTip(tr("All cells above this height will be removed."));
    connect(m_maximum, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &PlanarizationOptionsDialog::updateMinimumLimits);
}

void PlanarizationOptionsDialog::limitToHeight(int height)
{
    m_maximum->setMaximum(height);
    m_maximum->setValue(height);
    m_minimum->setMaximum(height);
}

void PlanarizationOptionsDialog::updateMinimumLimits(int maximum)
{
    m_minimum->setMaximum(maximum);
}

int PlanarizationOptionsDialog::minimumHeight() const { return m_minimum->value(); }
int PlanarizationOptionsDialog::maximumHeight() const { return m_maximum->value(); }

} // namespace Operations
} // namespace Ui
