#include "UI/Observers/BatchRunObserver.h"

#include "UI/BatchRun/RunProcessesDialog.h"
#include "UI/MainWindow.h"

namespace Ui {
namespace Observers {

void BatchRunObserver::showOptions(Core::Operations::SelectVolumesOperation &operation)
{
    auto *window = qobject_cast<MainWindow *>(dialogParent());
    RunProcessesDialog dialog(context(), operation.selectedVolume(), window ? window->view() : nullptr,
                              dialogParent());
    dialog.exec();
}

} // namespace Observers
} // namespace Ui
