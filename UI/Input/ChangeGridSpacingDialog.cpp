#include "UI/Input/ChangeGridSpacingDialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace Ui {
namespace Input {

ChangeGridSpacingDialog::ChangeGridSpacingDialog(QWidget *parent)
    : QDialog(parent)
    , m_spacing(new QDoubleSpinBox(this))
{
    setObjectName(QStringLiteral("ChangeGridSpacingDialogForm"));
    setWindowTitle(tr("Set Grid Spacing"));
    resize(230, 90);
    m_spacing->setObjectName(QStringLiteral("dblSpacing"));
    m_spacing->setDecimals(4);
    m_spacing->setRange(0.0, 1e9);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Spacing"), this));
    row->addWidget(m_spacing, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

double ChangeGridSpacingDialog::spacing() const { return m_spacing->value(); }
void ChangeGridSpacingDialog::setSpacing(double spacing) { m_spacing->setValue(spacing); }

} // namespace Input
} // namespace Ui
