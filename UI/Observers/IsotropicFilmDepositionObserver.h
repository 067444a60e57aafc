#pragma once

#include "Core/Operations/Isotropic/IsotropicFilmDepositionOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the isotropic deposition options; the materials are those of "CVD".
class IsotropicFilmDepositionObserver : public OptionObserver<Core::Operations::IsotropicFilmDepositionOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::IsotropicFilmDepositionOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
