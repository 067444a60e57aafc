#pragma once

#include "Core/Operations/Volumes/GlueSubstrateOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the glue dialog, limited by the two picked volumes. A rejected
// dialog leaves the operation waiting until it is canceled or replaced.
class GlueSubstrateObserver : public OptionObserver<Core::Operations::GlueSubstrateOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::GlueSubstrateOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
