#include "UI/Observers/IsotropicFilmDepositionObserver.h"

#include "UI/MaterialComboBox.h"
#include "UI/Operations/IsotropicDepositionDialog.h"

namespace Ui {
namespace Observers {

void IsotropicFilmDepositionObserver::showOptions(Core::Operations::IsotropicFilmDepositionOperation &operation)
{
    Operations::IsotropicDepositionDialog dialog(dialogParent());
    dialog.setMaterials(MaterialComboBox::compatibleWith(QStringLiteral("CVD")));
    if (dialog.exec() != QDialog::Accepted)
        return;
    operation.setThickness(float(dialog.thickness()));
    operation.setMaterialId(dialog.materialId());
    operation.end();
}

} // namespace Observers
} // namespace Ui
