#pragma once

#include "Core/Operations/ModelExtraction/RunModelExtraction.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// Opens the extraction's window without waiting for it, and hands the
// extraction the observer that closes the window should it be canceled.
class RunModelExtractionObserver : public OptionObserver<Core::Operations::RunModelExtraction>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::RunModelExtraction &operation) override;
};

} // namespace Observers
} // namespace Ui
