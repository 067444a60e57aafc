#pragma once

#include "Core/Operations/ReactiveIonEtching/SimpleReactiveIonEtchingOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the simple RIE options (depth, every material of the catalogue,
// the sides) for a waiting simple RIE. Accepted options run it; a rejected
// dialog cancels it.
class SimpleRIEObserver : public OptionObserver<Core::Operations::SimpleReactiveIonEtchingOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::SimpleReactiveIonEtchingOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
