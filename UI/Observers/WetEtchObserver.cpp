#include "UI/Observers/WetEtchObserver.h"

#include "UI/Operations/BCAEtchingDialog.h"

namespace Ui {
namespace Observers {

template<typename OperationT>
void WetEtchObserver<OperationT>::showOptions(OperationT &operation)
{
    Operations::BCAEtchingDialog dialog(this->dialogParent());
    if (dialog.exec() == QDialog::Accepted) {
        operation.setDepth(dialog.depth());
        operation.end();
        return;
    }
    if (operation.targetFromSelection())
        operation.end();
}

template class WetEtchObserver<Core::Operations::AtomisticSiWetEtchingOperation>;
template class WetEtchObserver<Core::Operations::ContinousWetEtchOperation>;

} // namespace Observers
} // namespace Ui
