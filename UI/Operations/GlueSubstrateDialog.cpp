#include "UI/Operations/GlueSubstrateDialog.h"

#include "Core/Operations/Volumes/GlueLayout.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace Ui {
namespace Operations {

namespace {
constexpr int Unlimited = 999999999;

int toSpin(unsigned value)
{
    return int(std::min<unsigned>(value, unsigned(INT_MAX)));
}
} // namespace

GlueSubstrateDialog::GlueSubstrateDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("GlueSubstrateDialog"));
    setWindowTitle(tr("Glue Substrate"));
    resize(370, 237);

    const QString sizeTip = tr("This determines the final volume size.");
    m_finalX = spinBox("sbxFinalX", sizeTip);
    m_finalY = spinBox("sbxFinalY", sizeTip);
    m_finalZ = spinBox("sbxFinalZ", tr("If you wish to continue etching/depositing films on top of the result, you "
                                       "should increase the Z size accordingly."));
    const QString displacementTip =
        tr("Allows you to move the top substrate around if it is smaller than the bottom substrate.");
    m_displacementX = spinBox("sbxDisplacementX", displacementTip);
    m_displacementY = spinBox("sbxDisplacementY", displacementTip);

    m_invert = new QCheckBox(tr("Invert Top Substrate"), this);
    m_invert->setObjectName(QStringLiteral("cbxInvert"));
    m_invert->setToolTip(tr("Flips the top substrate around the Y axis."));
    m_invert->setWhatsThis(
        tr("Flips the top substrate around the Y axis. This is the same as what would happen if  you hold the base "
           "substrate on your left hand and the top substrate on your right hand and then placing your right hand "
           "palm down on your left."));

    auto *size = new QGroupBox(tr("Final Volume Size"), this);
    auto *sizeForm = new QFormLayout(size);
    sizeForm->addRow(tr("X"), m_finalX);
    sizeForm->addRow(tr("Y"), m_finalY);
    sizeForm->addRow(tr("Z"), m_finalZ);
    auto *displacement = new QGroupBox(tr("Top Substrate Displacement"), this);
    auto *displacementForm = new QFormLayout(displacement);
    displacementForm->addRow(tr("X"), m_displacementX);
    displacementForm->addRow(tr("Y"), m_displacementY);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *groups = new QHBoxLayout;
    groups->addWidget(size);
    groups->addWidget(displacement);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(m_invert);
    layout->addWidget(buttons);
}

QSpinBox *GlueSubstrateDialog::spinBox(const char *name, const QString &toolTip)
{
    auto *box = new QSpinBox(this);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, Unlimited);
    box->setToolTip(toolTip);
    return box;
}

void GlueSubstrateDialog::limitTo(const Core::Operations::GlueLayout &layout)
{
    m_finalX->setMinimum(toSpin(layout.finalX));
    m_finalX->setEnabled(false);
    m_finalY->setMinimum(toSpin(layout.finalY));
    m_finalY->setEnabled(false);
    m_finalZ->setMinimum(toSpin(layout.minimumHeight()));
    m_finalZ->setValue(m_finalZ->minimum());
    m_displacementX->setMaximum(toSpin(layout.maxDisplacementX));
    m_displacementY->setMaximum(toSpin(layout.maxDisplacementY));
}

unsigned GlueSubstrateDialog::finalX() const { return unsigned(m_finalX->value()); }
unsigned GlueSubstrateDialog::finalY() const { return unsigned(m_finalY->value()); }
unsigned GlueSubstrateDialog::finalZ() const { return unsigned(m_finalZ->value()); }
unsigned GlueSubstrateDialog::displacementX() const { return unsigned(m_displacementX->value()); }
unsigned GlueSubstrateDialog::displacementY() const { return unsigned(m_displacementY->value()); }
bool GlueSubstrateDialog::invert() const { return m_invert->isChecked(); }

} // namespace Operations
} // namespace Ui
