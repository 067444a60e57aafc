#include "UI/Observers/ElectrodepositionObserver.h"

#include "Model/Materials/MaterialFactory.h"
#include "UI/Operations/ElectrodepositionDialog.h"

namespace Ui {
namespace Observers {

void ElectrodepositionObserver::showOptions(Core::Operations::ElectrodepositionOperation &operation)
{
    const auto materials = Model::Materials::MaterialFactory::getInstance()->getMaterials();
    Operations::ElectrodepositionDialog dialog(dialogParent());
    dialog.setMaterials(materials);
    dialog.setConductingMaterials(materials);
    if (dialog.exec() != QDialog::Accepted)
        return;
    operation.setThickness(float(dialog.thickness()));
    operation.setMaterialId(dialog.materialId());
    operation.setConductingMaterial(dialog.conductingMaterialId());
    operation.end();
}

} // namespace Observers
} // namespace Ui
