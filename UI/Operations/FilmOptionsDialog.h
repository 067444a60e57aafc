#pragma once

#include "UI/Operations/FormDialog.h"

class QDoubleSpinBox;

namespace Ui {
namespace Operations {

// The options of the film processes: a thickness (or depth) in units and
// the material, laid out as a form with OK and Cancel.
class FilmOptionsDialog : public FormDialog
{
    Q_OBJECT

public:
    double thickness() const;
    void setThickness(double value);
    unsigned materialId() const;
    void setMaterials(const std::vector<Model::Materials::Material> &materials);

protected:
    // The thickness field offers what `process` declares for `amount`.
    // `materialLabel` names the material choice ("Material" when empty);
    // further material choices go below the others (addMaterialChoice).
    FilmOptionsDialog(QWidget *parent, const QString &thicknessLabel,
                      const Core::Operations::ProcessDescriptor &process, const char *amount, int decimals = 2,
                      const QString &materialLabel = QString());
    QComboBox *materialChoice() const { return m_material; }
    // The material choice opens on the first material other than this one,
    // where there is one (a process that would leave every cell as it was
    // with it).
    void openOnMaterialOtherThan(unsigned id) { m_avoided = id; }

private:
    QDoubleSpinBox *m_thickness;
    QComboBox *m_material = nullptr;
    unsigned m_avoided = 0;
};

} // namespace Operations
} // namespace Ui
