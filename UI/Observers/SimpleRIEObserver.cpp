#include "UI/Observers/SimpleRIEObserver.h"

#include "Model/Materials/MaterialFactory.h"
#include "UI/Operations/SimpleRIEDialog.h"

namespace Ui {
namespace Observers {

void SimpleRIEObserver::showOptions(Core::Operations::SimpleReactiveIonEtchingOperation &operation)
{
    Operations::SimpleRIEDialog dialog(dialogParent());
    dialog.setMaterials(Model::Materials::MaterialFactory::getInstance()->getMaterials());
    if (dialog.exec() != QDialog::Accepted) {
        operation.cancel();
        return;
    }
    operation.setDepth(dialog.depth());
    operation.setMaterialId(dialog.materialId());
    operation.setFromBelow(dialog.fromBelow());
    operation.setFromTop(dialog.fromTop());
    operation.end();
}

} // namespace Observers
} // namespace Ui
