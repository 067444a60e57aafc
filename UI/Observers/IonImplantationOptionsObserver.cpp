#include "UI/Observers/IonImplantationOptionsObserver.h"

#include "UI/MaterialComboBox.h"
#include "UI/Operations/IonImplantationOptionsDialog.h"

namespace Ui {
namespace Observers {

void IonImplantationOptionsObserver::showOptions(Core::Operations::IonImplantationOperation &operation)
{
    Operations::IonImplantationOptionsDialog dialog(dialogParent());
    dialog.setMaterials(MaterialComboBox::compatibleWith(operation.descriptor().catalogueName()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    operation.setAnnealingDistance(float(dialog.annealingDistance()));
    operation.setDepth(float(dialog.depth()));
    operation.setMaterialId(dialog.materialId());
    operation.end();
}

} // namespace Observers
} // namespace Ui
