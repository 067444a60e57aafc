#pragma once

#include "Core/Operations/SiEtching/AtomisticSiWetEtchingOperation.h"
#include "Core/Operations/SiEtching/ContinousWetEtchOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the wet etching depth for a waiting wet-etch operation of type
// OperationT. When the dialog is cancelled for a volume that came from the
// selection, the operation ends and so cancels; for the document's only
// volume it keeps waiting.
template<typename OperationT>
class WetEtchObserver : public OptionObserver<OperationT>
{
public:
    using OptionObserver<OperationT>::OptionObserver;

protected:
    void showOptions(OperationT &operation) override;
};

// The observers of the two wet etchings, as the factory attaches them.
using AtomicSiBCAEtchObserver = WetEtchObserver<Core::Operations::AtomisticSiWetEtchingOperation>;
using CCAWetEtchingObserver = WetEtchObserver<Core::Operations::ContinousWetEtchOperation>;

} // namespace Observers
} // namespace Ui
