#include "UI/Observers/DopingOptionsObserver.h"

#include "UI/MaterialComboBox.h"
#include "UI/Operations/DopingOptionsDialog.h"

namespace Ui {
namespace Observers {

void DopingOptionsObserver::showOptions(Core::Operations::DopingOperation &operation)
{
    Operations::DopingOptionsDialog dialog(dialogParent());
    dialog.setMaterials(MaterialComboBox::compatibleWith(operation.descriptor().catalogueName()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    operation.setDepth(float(dialog.depth()));
    operation.setMaterialId(dialog.materialId());
    operation.end();
}

} // namespace Observers
} // namespace Ui
