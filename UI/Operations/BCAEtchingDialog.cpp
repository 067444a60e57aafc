#include "UI/Operations/BCAEtchingDialog.h"

#include "Core/Operations/SiEtching/SiWetEtchingProcesses.h"
#include "UI/Operations/DeclaredRange.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace Ui {
namespace Operations {

BCAEtchingDialog::BCAEtchingDialog(QWidget *parent)
    : QDialog(parent)
    , m_depth(new QDoubleSpinBox(this))
{
    setObjectName(QStringLiteral("BCAEtchingDialog"));
    setWindowTitle(tr("Wet Etching Options"));
    const QString help =
        tr("Set the depth of the etching. This is how far down the (100) plane on the surface will be etched.");
    auto *label = new QLabel(tr("Etch Depth"), this);
    label->setObjectName(QStringLiteral("lblDepth"));
    m_depth->setObjectName(QStringLiteral("dblDepth"));
    m_depth->setDecimals(4);
    // Both wet etchings take the same depths.
    DeclaredRange::limit(m_depth, Core::Operations::atomisticWetEtchingDescriptor(), "Depth");
    m_depth->setSingleStep(0.353552);
    m_depth->setValue(10.0);
    m_depth->setSuffix(tr("units"));
    for (QWidget *widget : {static_cast<QWidget *>(label), static_cast<QWidget *>(m_depth)}) {
        widget->setToolTip(help);
        widget->setStatusTip(help);
        widget->setWhatsThis(help);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_depth, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

double BCAEtchingDialog::depth() const { return m_depth->value(); }
void BCAEtchingDialog::setDepth(double depth) { m_depth->setValue(depth); }

} // namespace Operations
} // namespace Ui
