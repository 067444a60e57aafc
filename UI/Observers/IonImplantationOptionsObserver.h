#pragma once

#include "Core/Operations/Doping/IonImplantationOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the implantation options, with the materials of "Ion Implantation"
// to implant; accepted options run the implantation.
class IonImplantationOptionsObserver : public OptionObserver<Core::Operations::IonImplantationOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::IonImplantationOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
