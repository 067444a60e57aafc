#include "UI/Observers/DocumentOpenedObserver.h"

#include "Core/Operations/DocumentFiles.h"
#include "Core/Operations/OpenDocumentOperation.h"
#include "UI/MainWindow.h"
#include "UI/MainWindowPresenter.h"

#include <QMessageBox>
#include <QPointer>

namespace Ui {
namespace Observers {

namespace {
QPointer<MainWindow> &lastWindow()
{
    static QPointer<MainWindow> window;
    return window;
}
} // namespace

void DocumentOpenedObserver::notify()
{
    auto *window = new MainWindow;
    lastWindow() = window;
    Core::Operations::OperationContext &context = window->presenter()->context();
    const Core::Operations::DocumentFiles::Result result =
        Core::Operations::DocumentFiles::open(Core::Operations::OpenDocumentOperation::fileToOpen(), context);
    window->setWindowTitle(QStringLiteral("Tessival  ") + context.document().fileName());
    window->showMaximized();
    if (!result.ok)
        QMessageBox::information(window, result.errorTitle, result.errorText);
}

MainWindow *DocumentOpenedObserver::lastOpenedWindow()
{
    return lastWindow();
}

} // namespace Observers
} // namespace Ui
