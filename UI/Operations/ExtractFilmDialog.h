#pragma once

#include "Model/Materials/Material.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;

namespace Ui {
namespace Operations {

// Which material's film to lift off a volume, and whether to turn it over.
class ExtractFilmDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ExtractFilmDialog(QWidget *parent = nullptr);

    void setMaterials(const std::vector<Model::Materials::Material> &materials);
    unsigned materialId() const;
    bool invert() const;

private:
    QComboBox *m_material;
    QCheckBox *m_invert;
};

} // namespace Operations
} // namespace Ui
