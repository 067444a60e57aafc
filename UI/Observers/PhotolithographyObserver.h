#pragma once

#include "Core/Operations/Photolithography/PhotolithographyOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the photolithography options with every material of the catalogue
// as resist. Masks applied or removed in the dialog reach the operation at
// once, so that the view shows them; accepted options develop the resist,
// a rejected dialog cancels the operation (the masks already shown stay
// on the volume until a development ends).
class PhotolithographyObserver : public OptionObserver<Core::Operations::PhotolithographyOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::PhotolithographyOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
