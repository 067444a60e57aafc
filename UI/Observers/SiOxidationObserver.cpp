#include "UI/Observers/SiOxidationObserver.h"

#include "UI/Operations/SimpleOxidationOptionsDialog.h"

namespace Ui {
namespace Observers {

void SiOxidationObserver::showOptions(Core::Operations::SimpleSiOxidationOperation &operation)
{
    Operations::SimpleOxidationOptionsDialog dialog(dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return;
    operation.setCellUnitsPerMicron(dialog.cellUnitsPerMicron());
    if (dialog.timeChosen()) {
        operation.setTime(dialog.time());
        operation.setPressure(dialog.pressure());
        operation.setTemperature(dialog.temperature());
    } else {
        operation.setThickness(dialog.oxideThickness());
    }
    operation.end();
}

} // namespace Observers
} // namespace Ui
