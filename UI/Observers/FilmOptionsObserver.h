#pragma once

#include "Core/Operations/Isotropic/IsotropicFilmDepositionOperation.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtchingOperation.h"
#include "UI/MaterialComboBox.h"
#include "UI/Observers/OptionObserver.h"
#include "UI/Operations/IsotropicDepositionDialog.h"
#include "UI/Operations/IsotropicEtchingDialog.h"

namespace Ui {
namespace Observers {

// Shows the options of a waiting film process, a thickness (or depth) and a
// material, with the materials its descriptor's catalogue entry allows.
// Accepted options run the process; a rejected dialog leaves the operation
// waiting.
template<typename OperationT, typename DialogT>
class FilmOptionsObserver : public OptionObserver<OperationT>
{
public:
    using OptionObserver<OperationT>::OptionObserver;

protected:
    void showOptions(OperationT &operation) override
    {
        DialogT dialog(this->dialogParent());
        dialog.setMaterials(MaterialComboBox::compatibleWith(operation.descriptor().catalogueName()));
        if (dialog.exec() != QDialog::Accepted)
            return;
        operation.setThickness(float(dialog.thickness()));
        operation.setMaterialId(dialog.materialId());
        operation.end();
    }
};

// The observers of isotropic deposition (the materials of "CVD") and
// isotropic etching, as the factory attaches them.
using IsotropicFilmDepositionObserver =
    FilmOptionsObserver<Core::Operations::IsotropicFilmDepositionOperation, Operations::IsotropicDepositionDialog>;
using IsotropicFilmEtchingObserver =
    FilmOptionsObserver<Core::Operations::IsotropicFilmEtchingOperation, Operations::IsotropicEtchingDialog>;

} // namespace Observers
} // namespace Ui
