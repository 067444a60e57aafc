#pragma once

#include "Core/Operations/Isotropic/IsotropicFilmEtchingOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the isotropic etching options; the materials are those of the
// process "Isotropic Etching".
class IsotropicFilmEtchingObserver : public OptionObserver<Core::Operations::IsotropicFilmEtchingOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::IsotropicFilmEtchingOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
