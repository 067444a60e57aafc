#pragma once

#include "Core/Operations/Doping/DopingOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the doping options, with the materials of "Simple Doping" to dope
// with; accepted options run the doping.
class DopingOptionsObserver : public OptionObserver<Core::Operations::DopingOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::DopingOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
