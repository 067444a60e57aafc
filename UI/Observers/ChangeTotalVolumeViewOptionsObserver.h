#pragma once

#include "Core/Operations/Volumes/ChangeTotalVolumeVisualizationOptions.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the visualization options with the chosen volume's current ones.
// On acceptance the edited material colours go to the catalogue first, so
// that every volume shows them, then the options go to the operation.
class ChangeTotalVolumeViewOptionsObserver
    : public OptionObserver<Core::Operations::ChangeTotalVolumeVisualizationOptions>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::ChangeTotalVolumeVisualizationOptions &operation) override;
};

} // namespace Observers
} // namespace Ui
