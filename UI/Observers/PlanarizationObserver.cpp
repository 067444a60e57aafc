#include "UI/Observers/PlanarizationObserver.h"

#include "UI/Operations/PlanarizationOptionsDialog.h"

namespace Ui {
namespace Observers {

void PlanarizationObserver::showOptions(Core::Operations::PlanarizationOperation &operation)
{
    Operations::PlanarizationOptionsDialog dialog(dialogParent());
    dialog.limitToHeight(operation.volumeHeight());
    if (dialog.exec() != QDialog::Accepted) {
        operation.cancel();
        return;
    }
    operation.setMaximumHeight(dialog.maximumHeight());
    operation.setMinimumHeight(dialog.minimumHeight());
    operation.end();
}

} // namespace Observers
} // namespace Ui
