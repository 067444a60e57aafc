#include "UI/Observers/SpinCoatingObserver.h"

#include "Model/Materials/MaterialFactory.h"
#include "UI/Operations/SpinCoatingOptionsDialog.h"

namespace Ui {
namespace Observers {

void SpinCoatingObserver::showOptions(Core::Operations::SpinCoatingOperation &operation)
{
    Operations::SpinCoatingOptionsDialog dialog(dialogParent());
    dialog.setMaterials(Model::Materials::MaterialFactory::getInstance()->getMaterials());
    dialog.limitToHeight(operation.volumeHeight());
    if (dialog.exec() != QDialog::Accepted) {
        operation.cancel();
        return;
    }
    operation.setMaterialId(dialog.materialId());
    operation.setHeight(dialog.height());
    operation.end();
}

} // namespace Observers
} // namespace Ui
