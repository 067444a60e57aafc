#include "UI/Observers/GlueSubstrateObserver.h"

#include "UI/Operations/GlueSubstrateDialog.h"

namespace Ui {
namespace Observers {

void GlueSubstrateObserver::showOptions(Core::Operations::GlueSubstrateOperation &operation)
{
    Operations::GlueSubstrateDialog dialog(dialogParent());
    dialog.limitTo(operation.layout());
    if (dialog.exec() != QDialog::Accepted)
        return;
    operation.setFinalSize(dialog.finalX(), dialog.finalY(), dialog.finalZ());
    operation.setDisplacement(dialog.displacementX(), dialog.displacementY());
    operation.setInvert(dialog.invert());
    operation.end();
}

} // namespace Observers
} // namespace Ui
