#include "UI/Observers/CutCellVolumeObserver.h"

#include "UI/Operations/CutCellVolumeDialog.h"

namespace Ui {
namespace Observers {

void CutCellVolumeObserver::showOptions(Core::Operations::CutCellVolumeOperation &operation)
{
    Core::Operations::CutCellVolumeOperation::Corner lower, upper, size;
    if (!operation.getCutPlanes(lower, upper, size))
        return;
    Operations::CutCellVolumeDialog dialog(dialogParent());
    dialog.setLimits(lower, upper, size);
    QObject::connect(&dialog, &Operations::CutCellVolumeDialog::previewRequested, &dialog,
                     [&] { operation.setCutPlanes(dialog.lower(), dialog.upper(), true); });
    if (dialog.exec() == QDialog::Accepted) {
        operation.setCutPlanes(dialog.lower(), dialog.upper(), true);
        operation.end();
        return;
    }
    operation.setCutPlanes(lower, upper, true);
    operation.cancel();
}

} // namespace Observers
} // namespace Ui
