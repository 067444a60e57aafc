#include "UI/Operations/IsotropicEtchingDialog.h"

#include "Core/Operations/Isotropic/IsotropicProcesses.h"

namespace Ui {
namespace Operations {

IsotropicEtchingDialog::IsotropicEtchingDialog(QWidget *parent)
    : FilmOptionsDialog(parent, tr("Etch Depth"), Core::Operations::isotropicEtchingDescriptor(), "Depth")
{
    setObjectName(QStringLiteral("IsotropicEtchingDialog"));
    setWindowTitle(Core::Operations::isotropicEtchingDescriptor().catalogueName() + tr(" Options"));
    resize(279, 150);
}

} // namespace Operations
} // namespace Ui
