#include "UI/Observers/CVDObserver.h"

#include "UI/MaterialComboBox.h"
#include "UI/Operations/AnisotropicDepositionDialog.h"

namespace Ui {
namespace Observers {

void CVDObserver::showOptions(Core::Operations::AnisotropicFilmDepositionOperation &operation)
{
    Operations::AnisotropicDepositionDialog dialog(dialogParent());
    dialog.setMaterials(MaterialComboBox::compatibleWith(operation.descriptor().catalogueName()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    operation.setThickness(float(dialog.thickness()));
    operation.setMaterialId(dialog.materialId());
    operation.setHorizontalRatio(float(dialog.horizontalRatio()));
    operation.setSide(dialog.side());
    operation.end();
}

} // namespace Observers
} // namespace Ui
