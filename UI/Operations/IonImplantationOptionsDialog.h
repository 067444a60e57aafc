#pragma once

#include "UI/Operations/FilmOptionsDialog.h"

namespace Ui {
namespace Operations {

// "Ion Implantation Options": the implantation depth, the annealing
// distance and the doped material.
class IonImplantationOptionsDialog : public FilmOptionsDialog
{
    Q_OBJECT

public:
    explicit IonImplantationOptionsDialog(QWidget *parent = nullptr);

    double depth() const { return thickness(); }
    double annealingDistance() const;

private:
    QDoubleSpinBox *m_annealing;
};

} // namespace Operations
} // namespace Ui
