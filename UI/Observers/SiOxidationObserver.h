#pragma once

#include "Core/Operations/SiOxidation/SimpleSiOxidationOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the oxidation options; accepted options run the oxidation with
// either the typed thickness or the oxidation time, temperature and pressure.
class SiOxidationObserver : public OptionObserver<Core::Operations::SimpleSiOxidationOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::SimpleSiOxidationOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
