#pragma once

#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodDepositionOperation.h"
#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodEtchingOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the Moore options (every material of the catalogue and a number
// of cell layers) for a waiting Moore operation of type OperationT.
// Accepted options run it; a rejected dialog cancels it.
template<typename OperationT>
class MooreObserver : public OptionObserver<OperationT>
{
public:
    using OptionObserver<OperationT>::OptionObserver;

protected:
    void showOptions(OperationT &operation) override;
};

// The observers of Moore deposition and etching, as the factory attaches them.
using MooreDepositionObserver = MooreObserver<Core::Operations::MooreNeighborhoodDepositionOperation>;
using MooreEtchingObserver = MooreObserver<Core::Operations::MooreNeighborhoodEtchingOperation>;

} // namespace Observers
} // namespace Ui
