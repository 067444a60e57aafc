#include "UI/Operations/CrossSectionDialog.h"

#include <QComboBox>
#include <QSpinBox>

namespace Ui {
namespace Operations {

CrossSectionDialog::CrossSectionDialog(QWidget *parent) : FormDialog(parent), m_axis(new QComboBox(this))
{
    setObjectName(QStringLiteral("CrossSectionDialog"));
    setWindowTitle(tr("Save Cross-Section"));
    m_axis->setObjectName(QStringLiteral("cbxAxis"));
    m_axis->addItems({tr("across x"), tr("across y"), tr("across z")});
    addField(tr("Plane"), m_axis);
    m_index = addNumber(tr("Cell Index"), "spinIndex", 0, 0, 0, QString());
    connect(m_axis, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &CrossSectionDialog::axisChanged);
}

void CrossSectionDialog::setVolumeSize(const std::array<int, 3> &cells)
{
    m_cells = cells;
    m_axis->setCurrentIndex(1);
    axisChanged();
    m_index->setValue(m_cells[1] / 2);
}

void CrossSectionDialog::axisChanged()
{
    m_index->setMaximum(std::max(0, m_cells[std::size_t(axis())] - 1));
}

int CrossSectionDialog::axis() const
{
    return std::max(0, m_axis->currentIndex());
}

int CrossSectionDialog::index() const
{
    return m_index->value();
}

} // namespace Operations
} // namespace Ui
