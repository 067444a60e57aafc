#pragma once

#include "Core/Operations/Planarization/SpinCoatingOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the spin coating options (every material of the catalogue, a
// height up to the volume's) for a waiting spin coating. Accepted options
// run it; a rejected dialog cancels it.
class SpinCoatingObserver : public OptionObserver<Core::Operations::SpinCoatingOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::SpinCoatingOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
