#include "UI/Operations/FilmOptionsDialog.h"

#include "UI/MaterialComboBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace Ui {
namespace Operations {

FilmOptionsDialog::FilmOptionsDialog(QWidget *parent, const QString &thicknessLabel, int decimals,
                                     const QString &materialLabel)
    : QDialog(parent)
    , m_form(new QFormLayout)
    , m_thickness(new QDoubleSpinBox(this))
    , m_material(new QComboBox(this))
{
    m_thickness->setObjectName(QStringLiteral("dblThickness"));
    m_thickness->setDecimals(decimals);
    m_thickness->setRange(0.0, 1e9);
    m_thickness->setValue(10.0);
    m_thickness->setSuffix(tr(" units"));
    m_material->setObjectName(QStringLiteral("cbxMaterial"));
    m_form->addRow(thicknessLabel, m_thickness);
    m_form->addRow(materialLabel.isEmpty() ? tr("Material") : materialLabel, m_material);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(buttons);
}

QComboBox *FilmOptionsDialog::addMaterialChoice(const QString &label, const char *objectName)
{
    auto *choice = new QComboBox(this);
    choice->setObjectName(QLatin1String(objectName));
    m_form->addRow(label, choice);
    return choice;
}

double FilmOptionsDialog::thickness() const { return m_thickness->value(); }
void FilmOptionsDialog::setThickness(double value) { m_thickness->setValue(value); }
unsigned FilmOptionsDialog::materialId() const { return MaterialComboBox::selectedMaterialId(m_material); }

void FilmOptionsDialog::setMaterials(const std::vector<Model::Materials::Material> &materials)
{
    MaterialComboBox::fill(m_material, materials);
}

} // namespace Operations
} // namespace Ui
