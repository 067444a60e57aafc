#pragma once

#include "UI/Operations/FormDialog.h"

namespace Ui {
namespace Operations {

// Options of Moore deposition and etching: a number of cell layers (its
// label says which) and the material.
class MooreOptionsDialog : public FormDialog
{
    Q_OBJECT

public:
    explicit MooreOptionsDialog(QWidget *parent = nullptr);

    // "Film Thickness" for deposition, "Etch Depth" for etching.
    void setValueLabel(const QString &text);
    int steps() const;
    void setSteps(int steps);
    unsigned materialId() const;
    void setMaterials(const std::vector<Model::Materials::Material> &materials);

private:
    QLabel *m_valueLabel = nullptr;
    QSpinBox *m_steps;
    QComboBox *m_material;
};

} // namespace Operations
} // namespace Ui
