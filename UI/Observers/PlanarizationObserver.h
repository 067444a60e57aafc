#pragma once

#include "Core/Operations/Planarization/PlanarizationOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the planarization heights, limited to the volume's height, for a
// waiting planarization. Accepted heights run it; a rejected dialog
// cancels it.
class PlanarizationObserver : public OptionObserver<Core::Operations::PlanarizationOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::PlanarizationOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
