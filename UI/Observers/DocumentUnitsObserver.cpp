#include "UI/Observers/DocumentUnitsObserver.h"

#include "UI/Operations/DocumentUnitsDialog.h"

namespace Ui {
namespace Observers {

void DocumentUnitsObserver::showOptions(Core::Operations::ChangeDocumentUnitsOperation &operation)
{
    Operations::DocumentUnitsDialog dialog(dialogParent());
    dialog.setLengthUnit(operation.currentUnit());
    if (dialog.exec() != QDialog::Accepted) {
        operation.cancel();
        return;
    }
    operation.setLengthUnit(dialog.lengthUnit());
    operation.end();
}

} // namespace Observers
} // namespace Ui
