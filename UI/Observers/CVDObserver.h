#pragma once

#include "Core/Operations/Deposition/AnisotropicFilmDepositionOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the directional deposition's options ("PVD Options", with the
// materials of "PVD"); accepted options run it.
class CVDObserver : public OptionObserver<Core::Operations::AnisotropicFilmDepositionOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::AnisotropicFilmDepositionOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
