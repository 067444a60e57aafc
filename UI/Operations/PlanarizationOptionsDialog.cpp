#include "UI/Operations/PlanarizationOptionsDialog.h"

#include <QSpinBox>

namespace Ui {
namespace Operations {

namespace {
constexpr int AnyHeight = 999999999;
} // namespace

PlanarizationOptionsDialog::PlanarizationOptionsDialog(QWidget *parent)
    : FormDialog(parent)
    , m_minimum(addNumber(tr("Minimum Height"), "sbxMinimumHeight", 0, AnyHeight, 0, tr(" cells")))
    , m_maximum(addNumber(tr("Maximum Height"), "sbxMaximumHeight", 0, AnyHeight, AnyHeight, tr(" cells")))
{
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
