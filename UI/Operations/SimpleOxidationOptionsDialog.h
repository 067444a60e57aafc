#pragma once

#include <QDialog>

class QDoubleSpinBox;
class QRadioButton;

namespace Ui {
namespace Operations {

// "Si Oxidation Options": either the oxide thickness in microns, or the
// oxidation time, temperature and pressure that give it; and the cell units
// per micron. Each mode's fields are enabled only while it is chosen.
class SimpleOxidationOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SimpleOxidationOptionsDialog(QWidget *parent = nullptr);

    bool timeChosen() const;
    double oxideThickness() const;
    double time() const;
    double temperature() const;
    double pressure() const;
    double cellUnitsPerMicron() const;

private:
    QRadioButton *m_thicknessMode;
    QRadioButton *m_timeMode;
    QDoubleSpinBox *m_thickness;
    QDoubleSpinBox *m_time;
    QDoubleSpinBox *m_temperature;
    QDoubleSpinBox *m_pressure;
    QDoubleSpinBox *m_units;
};

} // namespace Operations
} // namespace Ui
