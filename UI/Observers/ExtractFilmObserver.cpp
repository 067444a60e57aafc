#include "UI/Observers/ExtractFilmObserver.h"

#include "Model/Materials/MaterialFactory.h"
#include "UI/Operations/ExtractFilmDialog.h"

namespace Ui {
namespace Observers {

void ExtractFilmObserver::showOptions(Core::Operations::ExtractFilm &operation)
{
    Operations::ExtractFilmDialog dialog(dialogParent());
    dialog.setMaterials(Model::Materials::MaterialFactory::getInstance()->getMaterials());
    if (dialog.exec() != QDialog::Accepted) {
        operation.cancel();
        return;
    }
    operation.setMaterialId(dialog.materialId());
    operation.setInvert(dialog.invert());
    operation.end();
}

} // namespace Observers
} // namespace Ui
