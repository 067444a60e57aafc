#pragma once

#include <QDialog>

class QDoubleSpinBox;

namespace Ui {
namespace Input {

// "Set Grid Spacing": the distance between the lines of the view's grid.
class ChangeGridSpacingDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ChangeGridSpacingDialog(QWidget *parent = nullptr);

    double spacing() const;
    void setSpacing(double spacing);

private:
    QDoubleSpinBox *m_spacing;
};

} // namespace Input
} // namespace Ui
