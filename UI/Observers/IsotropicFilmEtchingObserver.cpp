#include "UI/Observers/IsotropicFilmEtchingObserver.h"

#include "UI/MaterialComboBox.h"
#include "UI/Operations/IsotropicEtchingDialog.h"

namespace Ui {
namespace Observers {

void IsotropicFilmEtchingObserver::showOptions(Core::Operations::IsotropicFilmEtchingOperation &operation)
{
    const QString process = QStringLiteral("Isotropic Etching");
    Operations::IsotropicEtchingDialog dialog(process, dialogParent());
    dialog.setMaterials(MaterialComboBox::compatibleWith(process));
    if (dialog.exec() != QDialog::Accepted)
        return;
    operation.setThickness(float(dialog.thickness()));
    operation.setMaterialId(dialog.materialId());
    operation.end();
}

} // namespace Observers
} // namespace Ui
