#include "UI/Operations/IsotropicEtchingDialog.h"

namespace Ui {
namespace Operations {

IsotropicEtchingDialog::IsotropicEtchingDialog(const QString &processName, QWidget *parent)
    : FilmOptionsDialog(parent, tr("Etch Depth"))
{
    setObjectName(QStringLiteral("IsotropicEtchingDialog"));
    setWindowTitle(processName + tr(" Options"));
    resize(279, 150);
}

} // namespace Operations
} // namespace Ui
