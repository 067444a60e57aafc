#include "UI/Observers/RunModelExtractionObserver.h"

#include "UI/Observers/DestroyModelExtractionDialogObserver.h"
#include "UI/Operations/ExtractModelDialog.h"

#include <boost/make_shared.hpp>

namespace Ui {
namespace Observers {

void RunModelExtractionObserver::showOptions(Core::Operations::RunModelExtraction &operation)
{
    const auto held = boost::dynamic_pointer_cast<Core::Operations::RunModelExtraction>(operation.shared_from_this());
    auto *dialog = new Operations::ExtractModelDialog(held, dialogParent());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    operation.setCloseObserver(boost::make_shared<DestroyModelExtractionDialogObserver>(dialog));
    dialog->show();
}

} // namespace Observers
} // namespace Ui
