#include "UI/Operations/SimpleOxidationOptionsDialog.h"

#include "Core/Operations/SiOxidation/SiOxidationProcesses.h"
#include "UI/Operations/DeclaredRange.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Ui {
namespace Operations {

namespace {

// A field for `parameter` of the oxidation, with the range it declares.
QDoubleSpinBox *spinBox(QWidget *parent, const char *name, const char *parameter, double value, const QString &suffix)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setDecimals(2);
    DeclaredRange::limit(box, Core::Operations::siOxidationDescriptor(), parameter);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

} // namespace

SimpleOxidationOptionsDialog::SimpleOxidationOptionsDialog(QWidget *parent)
    : QDialog(parent)
    , m_thicknessMode(new QRadioButton(tr("Oxide thickness"), this))
    , m_timeMode(new QRadioButton(tr("Oxidation Time"), this))
    , m_thickness(spinBox(this, "dblThickness", "Oxidation Thickness", 10.0, tr(" microns")))
    , m_time(spinBox(this, "dblTime", "Oxidation Time", 2.0, tr(" hours")))
    , m_temperature(spinBox(this, "dblTemperature", "Oxidation Temperature", 1273.0, tr(" K")))
    , m_pressure(spinBox(this, "dblPressure", "Oxidation Pressure", 1.0, tr(" atm")))
    , m_units(spinBox(this, "dblCellUnits", "Micron Conversion", 100.0, QString()))
{
    setObjectName(QStringLiteral("SimpleOxidationOptionsDialog"));
    setWindowTitle(tr("Si Oxidation Options"));
    resize(400, 350);
    m_thicknessMode->setObjectName(QStringLiteral("rbThickness"));
    m_timeMode->setObjectName(QStringLiteral("rbTime"));
    m_pressure->setSingleStep(0.1);
    m_units->setToolTip(tr("Conversion between cell units and microns. Si cells are approximately 1.0 x 1.0 x 0.35 "
                           "units."));

    auto *form = new QFormLayout;
    form->addRow(m_thicknessMode);
    form->addRow(QString(), m_thickness);
    form->addRow(m_timeMode);
    form->addRow(tr("Time"), m_time);
    form->addRow(tr("Temperature"), m_temperature);
    form->addRow(tr("Pressure"), m_pressure);
    form->addRow(tr("Cell units per micron"), m_units);

    const auto enableModes = [this] {
        const bool byTime = m_timeMode->isChecked();
        m_thickness->setEnabled(!byTime);
        for (QDoubleSpinBox *box : {m_time, m_temperature, m_pressure})
            box->setEnabled(byTime);
    };
    connect(m_thicknessMode, &QRadioButton::toggled, this, enableModes);
    connect(m_timeMode, &QRadioButton::toggled, this, enableModes);
    m_thicknessMode->setChecked(true);
    enableModes();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

bool SimpleOxidationOptionsDialog::timeChosen() const { return m_timeMode->isChecked(); }
double SimpleOxidationOptionsDialog::oxideThickness() const { return m_thickness->value(); }
double SimpleOxidationOptionsDialog::time() const { return m_time->value(); }
double SimpleOxidationOptionsDialog::temperature() const { return m_temperature->value(); }
double SimpleOxidationOptionsDialog::pressure() const { return m_pressure->value(); }
double SimpleOxidationOptionsDialog::cellUnitsPerMicron() const { return m_units->value(); }

} // namespace Operations
} // namespace Ui
