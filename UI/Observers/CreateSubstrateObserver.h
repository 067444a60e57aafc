#pragma once

#include "Core/Operations/Substrate/CreateSubstrateOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the substrate dialog for a waiting create-substrate operation.
class CreateSubstrateObserver : public OptionObserver<Core::Operations::CreateSubstrateOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::CreateSubstrateOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
