#include "UI/Observers/CreateSubstrateObserver.h"

#include "Model/Materials/MaterialFactory.h"
#include "UI/GLWidget.h"
#include "UI/MainWindow.h"
#include "UI/Operations/CreateSubstrateDialog.h"

namespace Ui {
namespace Observers {

void CreateSubstrateObserver::showOptions(Core::Operations::CreateSubstrateOperation &operation)
{
    Operations::CreateSubstrateDialog dialog(dialogParent());
    dialog.setMaterials(Model::Materials::MaterialFactory::getInstance()->getMaterials());
    if (dialog.exec() != QDialog::Accepted) {
        operation.cancel();
        return;
    }
    operation.setShape(dialog.shape());
    operation.execute();
    // A new volume is shown whole, wherever it was placed.
    auto *window = qobject_cast<MainWindow *>(dialogParent());
    if (operation.createdVolume() && window && window->view())
        window->view()->fitToVolumes();
}

} // namespace Observers
} // namespace Ui
