#pragma once

#include "UI/Operations/FormDialog.h"

#include <array>

class QComboBox;
class QSpinBox;

namespace Ui {
namespace Operations {

// Which plane of cells a cross-section shows: the axis it cuts across and
// the cell index along it, limited to the volume.
class CrossSectionDialog : public FormDialog
{
    Q_OBJECT

public:
    explicit CrossSectionDialog(QWidget *parent = nullptr);

    // The volume's cell counts; the plane starts in the middle across y,
    // as a wafer is cleaved.
    void setVolumeSize(const std::array<int, 3> &cells);
    int axis() const;
    int index() const;

private:
    void axisChanged();

    std::array<int, 3> m_cells{{1, 1, 1}};
    QComboBox *m_axis;
    QSpinBox *m_index;
};

} // namespace Operations
} // namespace Ui
