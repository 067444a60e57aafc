#include "UI/Observers/PhotolithographyObserver.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/Operations/PhotolithographyDialog.h"

namespace Ui {
namespace Observers {

using Operations::PhotolithographyDialog;

void PhotolithographyObserver::showOptions(Core::Operations::PhotolithographyOperation &operation)
{
    PhotolithographyDialog dialog(dialogParent());
    dialog.setMaterials(PhotolithographyDialog::films());
    // A mask a canceled run left on the volume is still shown there: the
    // dialog starts from it, so the development uses what the view shows.
    if (const auto volume = operation.volume()) {
        dialog.setVolumeExtent(volume->sizeX(), volume->sizeY());
        dialog.setMask(PhotolithographyDialog::Top, volume->topMask());
        dialog.setMask(PhotolithographyDialog::Bottom, volume->bottomMask());
    }
    const auto handOn = [&dialog, &operation](int side) {
        const Model::Automaton::CellMask &mask = dialog.mask(PhotolithographyDialog::Side(side));
        if (side == PhotolithographyDialog::Top)
            operation.setTopMask(mask.bits, mask.width, mask.height);
        else
            operation.setBottomMask(mask.bits, mask.width, mask.height);
    };
    QObject::connect(&dialog, &PhotolithographyDialog::maskChanged, &dialog, handOn);
    if (dialog.exec() != QDialog::Accepted) {
        operation.cancel();
        return;
    }
    operation.setMaterialId(dialog.materialId());
    handOn(PhotolithographyDialog::Bottom);
    handOn(PhotolithographyDialog::Top);
    operation.end();
}

} // namespace Observers
} // namespace Ui
