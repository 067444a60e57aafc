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
    const unsigned sizeX = unsigned(dialog.totalWidth());
    const unsigned sizeY = unsigned(dialog.totalLength());
    const unsigned sizeZ = unsigned(dialog.totalHeight());
    if (dialog.isSpherical()) {
        operation.setSphere(dialog.materialId(), sizeX, sizeY, sizeZ, dialog.position(), unsigned(dialog.centreX()),
                            unsigned(dialog.centreY()), unsigned(dialog.centreZ()), unsigned(dialog.radius()));
    } else {
        operation.setBox(dialog.materialId(), sizeX, sizeY, sizeZ, dialog.position(), unsigned(dialog.displacementX()),
                         unsigned(dialog.displacementY()), unsigned(dialog.displacementZ()),
                         unsigned(dialog.substrateWidth()), unsigned(dialog.substrateLength()),
                         unsigned(dialog.substrateHeight()));
    }
    operation.execute();
    // A new volume is shown whole, wherever it was placed.
    auto *window = qobject_cast<MainWindow *>(dialogParent());
    if (operation.createdVolume() && window && window->view())
        window->view()->fitToVolumes();
}

} // namespace Observers
} // namespace Ui
