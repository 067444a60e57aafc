#pragma once

#include "UI/Operations/FilmOptionsDialog.h"

class QRadioButton;

namespace Ui {
namespace Operations {

// "PVD Options": film thickness, material, how much farther the film
// reaches sideways than upwards, and the faces it grows from.
class AnisotropicDepositionDialog : public FilmOptionsDialog
{
    Q_OBJECT

public:
    explicit AnisotropicDepositionDialog(QWidget *parent = nullptr);

    double horizontalRatio() const;
    // 1 on top, 2 on bottom, 3 on both sides.
    int side() const;

private:
    QDoubleSpinBox *m_ratio;
    QRadioButton *m_top;
    QRadioButton *m_bottom;
    QRadioButton *m_both;
};

} // namespace Operations
} // namespace Ui
