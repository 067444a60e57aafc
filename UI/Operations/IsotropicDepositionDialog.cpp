#include "UI/Operations/IsotropicDepositionDialog.h"

#include "Core/Operations/Isotropic/IsotropicProcesses.h"

namespace Ui {
namespace Operations {

IsotropicDepositionDialog::IsotropicDepositionDialog(QWidget *parent)
    : FilmOptionsDialog(parent, tr("Film thickness"), Core::Operations::isotropicDepositionDescriptor(), "Thickness")
{
    setObjectName(QStringLiteral("IsotropicDepositionDialog"));
    setWindowTitle(tr("Isotropic Film Deposition"));
    resize(279, 150);
}

} // namespace Operations
} // namespace Ui
