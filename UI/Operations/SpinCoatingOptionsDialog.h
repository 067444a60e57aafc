#pragma once

#include "UI/Operations/FormDialog.h"

namespace Ui {
namespace Operations {

// Options of spin coating: the poured material and the height in cells up
// to which it fills the empty cells.
class SpinCoatingOptionsDialog : public FormDialog
{
    Q_OBJECT

public:
    explicit SpinCoatingOptionsDialog(QWidget *parent = nullptr);

    void setMaterials(const std::vector<Model::Materials::Material> &materials);
    // Limits the height to a volume of `height` cells.
    void limitToHeight(int height);
    unsigned materialId() const;
    int height() const;
    void setHeight(int height);

private:
    QComboBox *m_material;
    QSpinBox *m_height;
};

} // namespace Operations
} // namespace Ui
