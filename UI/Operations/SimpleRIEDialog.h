#pragma once

#include "UI/Operations/FormDialog.h"

class QCheckBox;

namespace Ui {
namespace Operations {

// Options of simple RIE: the etch depth in whole units, the material, and
// the sides it is etched from (from top alone at first).
class SimpleRIEDialog : public FormDialog
{
    Q_OBJECT

public:
    explicit SimpleRIEDialog(QWidget *parent = nullptr);

    void setMaterials(const std::vector<Model::Materials::Material> &materials);
    int depth() const;
    unsigned materialId() const;
    bool fromBelow() const;
    bool fromTop() const;

private:
    QSpinBox *m_depth;
    QComboBox *m_material;
    QCheckBox *m_fromBelow;
    QCheckBox *m_fromTop;
};

} // namespace Operations
} // namespace Ui
