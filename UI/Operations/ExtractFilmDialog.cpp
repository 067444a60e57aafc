#include "UI/Operations/ExtractFilmDialog.h"

#include "UI/MaterialComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace Ui {
namespace Operations {

ExtractFilmDialog::ExtractFilmDialog(QWidget *parent)
    : QDialog(parent)
    , m_material(new QComboBox(this))
    , m_invert(new QCheckBox(tr("Invert film after extraction"), this))
{
    setObjectName(QStringLiteral("ExtractFilmDialog"));
    setWindowTitle(tr("Extract Film"));
    resize(280, 160);
    m_material->setObjectName(QStringLiteral("cbxFilm"));
    m_invert->setObjectName(QStringLiteral("cbxInvert"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Select Film to Extract"), this));
    layout->addWidget(m_material);
    layout->addWidget(m_invert);
    layout->addWidget(buttons);
}

void ExtractFilmDialog::setMaterials(const std::vector<Model::Materials::Material> &materials)
{
    MaterialComboBox::fill(m_material, materials);
}

unsigned ExtractFilmDialog::materialId() const { return MaterialComboBox::selectedMaterialId(m_material); }
bool ExtractFilmDialog::invert() const { return m_invert->isChecked(); }

} // namespace Operations
} // namespace Ui
