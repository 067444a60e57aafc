#pragma once

#include "Core/Operations/Objects/SelectVolumesOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Opens the "Batch Run" dialog over the window once the volume selection
// has its volume, or none.
class BatchRunObserver : public OptionObserver<Core::Operations::SelectVolumesOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::SelectVolumesOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
