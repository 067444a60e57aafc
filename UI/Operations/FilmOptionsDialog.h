#pragma once

#include "Model/Materials/Material.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;

namespace Ui {
namespace Operations {

// The options of the film processes: a thickness (or depth) in units and
// the material, laid out as a form with OK and Cancel.
class FilmOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    double thickness() const;
    void setThickness(double value);
    unsigned materialId() const;
    void setMaterials(const std::vector<Model::Materials::Material> &materials);

protected:
    // `materialLabel` names the material choice ("Material" when empty).
    FilmOptionsDialog(QWidget *parent, const QString &thicknessLabel, int decimals = 2,
                      const QString &materialLabel = QString());
    // Adds a further material choice below the others.
    QComboBox *addMaterialChoice(const QString &label, const char *objectName);
    // The rows of the options, for dialogs with more of them.
    QFormLayout *form() const { return m_form; }
    QComboBox *materialChoice() const { return m_material; }

private:
    QFormLayout *m_form;
    QDoubleSpinBox *m_thickness;
    QComboBox *m_material;
};

} // namespace Operations
} // namespace Ui
