#include "UI/Operations/DopingOptionsDialog.h"

#include "Core/Operations/Doping/DopingProcesses.h"

#include <QComboBox>
#include <QFormLayout>
#include <QWidget>

namespace Ui {
namespace Operations {

DopingOptionsDialog::DopingOptionsDialog(QWidget *parent)
    : FilmOptionsDialog(parent, tr("Doping Depth"), Core::Operations::dopingDescriptor(), "Doping Depth", 4,
                        tr("Doped Material"))
{
    setObjectName(QStringLiteral("DopingOptionsDialog"));
    setWindowTitle(tr("Doping Options"));
    resize(400, 239);
    // Doping replaces the dopable materials, silicon among them, by the
    // doped one: silicon as the doped material would change no cell.
    openOnMaterialOtherThan(Model::Materials::SiliconId);
    form()->labelForField(materialChoice())
        ->setToolTip(tr("This is the doped material. Not to be confused with the materials that will be doped. All "
                        "materials in the list will be doped, plus Si."));
}

} // namespace Operations
} // namespace Ui
