#pragma once

#include "UI/Operations/FilmOptionsDialog.h"

class QComboBox;

namespace Ui {
namespace Operations {

// Options of electroplating: film thickness, the plated material and the
// conducting material it grows from.
class ElectrodepositionDialog : public FilmOptionsDialog
{
    Q_OBJECT

public:
    explicit ElectrodepositionDialog(QWidget *parent = nullptr);

    void setConductingMaterials(const std::vector<Model::Materials::Material> &materials);
    unsigned conductingMaterialId() const;

private:
    QComboBox *m_conducting;
};

} // namespace Operations
} // namespace Ui
