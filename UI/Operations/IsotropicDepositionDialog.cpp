#include "UI/Operations/IsotropicDepositionDialog.h"

namespace Ui {
namespace Operations {

IsotropicDepositionDialog::IsotropicDepositionDialog(QWidget *parent)
    : FilmOptionsDialog(parent, tr("Film thickness"))
{
    setObjectName(QStringLiteral("IsotropicDepositionDialog"));
    setWindowTitle(tr("Isotropic Film Deposition"));
    resize(279, 150);
}

} // namespace Operations
} // namespace Ui
