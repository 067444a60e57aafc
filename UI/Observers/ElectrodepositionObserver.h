#pragma once

#include "Core/Operations/Isotropic/ElectrodepositionOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the electroplating options; both lists offer every material.
class ElectrodepositionObserver : public OptionObserver<Core::Operations::ElectrodepositionOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::ElectrodepositionOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
