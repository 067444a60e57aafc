#pragma once

#include "Core/Operations/Volumes/CutCellVolumeOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Shows the cut dialog with the volume's current limits. Previewed limits
// go to the operation as they change; a rejected dialog puts the limits
// the volume had back before the operation is canceled.
class CutCellVolumeObserver : public OptionObserver<Core::Operations::CutCellVolumeOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::CutCellVolumeOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
