#include "UI/Observers/MooreObserver.h"

#include "Model/Materials/MaterialFactory.h"
#include "UI/Operations/MooreOptionsDialog.h"

#include <type_traits>

namespace Ui {
namespace Observers {

template<typename OperationT>
void MooreObserver<OperationT>::showOptions(OperationT &operation)
{
    Operations::MooreOptionsDialog dialog(this->dialogParent());
    dialog.setMaterials(Model::Materials::MaterialFactory::getInstance()->getMaterials());
    constexpr bool deposition = std::is_same<OperationT, Core::Operations::MooreNeighborhoodDepositionOperation>::value;
    dialog.setValueLabel(deposition ? QObject::tr("Film Thickness") : QObject::tr("Etch Depth"));
    if (dialog.exec() != QDialog::Accepted) {
        operation.cancel();
        return;
    }
    operation.setMaterialId(dialog.materialId());
    operation.setSteps(dialog.steps());
    operation.end();
}

template class MooreObserver<Core::Operations::MooreNeighborhoodDepositionOperation>;
template class MooreObserver<Core::Operations::MooreNeighborhoodEtchingOperation>;

} // namespace Observers
} // namespace Ui
