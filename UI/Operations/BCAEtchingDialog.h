#pragma once

#include <QDialog>

class QDoubleSpinBox;

namespace Ui {
namespace Operations {

// "Wet Etching Options": how far down the (100) surface plane the wet
// etching goes, in lattice constants.
class BCAEtchingDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BCAEtchingDialog(QWidget *parent = nullptr);

    double depth() const;
    void setDepth(double depth);

private:
    QDoubleSpinBox *m_depth;
};

} // namespace Operations
} // namespace Ui
