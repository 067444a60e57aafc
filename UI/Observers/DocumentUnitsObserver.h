#pragma once

#include "Core/Operations/Documents/ChangeDocumentUnitsOperation.h"
#include "UI/Observers/OptionObserver.h"

namespace Ui {
namespace Observers {

// File > Document Units: asks for the length of a world unit.
class DocumentUnitsObserver : public OptionObserver<Core::Operations::ChangeDocumentUnitsOperation>
{
public:
    using OptionObserver::OptionObserver;

protected:
    void showOptions(Core::Operations::ChangeDocumentUnitsOperation &operation) override;
};

} // namespace Observers
} // namespace Ui
