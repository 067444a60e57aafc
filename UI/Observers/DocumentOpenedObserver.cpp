#include "UI/Observers/DocumentOpenedObserver.h"

#include "Core/Operations/DocumentFiles.h"
#include "Core/Operations/OpenDocumentOperation.h"
#include "UI/Console/CommandConsole.h"
#include "UI/GLWidget.h"
#include "UI/MainWindow.h"
#include "UI/MainWindowPresenter.h"
#include "UI/WindowCascade.h"

#include <QMessageBox>
#include <QPointer>
#include <QScreen>

namespace Ui {
namespace Observers {

namespace {
QPointer<MainWindow> &lastWindow()
{
    static QPointer<MainWindow> window;
    return window;
}

// Both the window and its console go a step beside those of the origin
// rather than exactly on top of them.
void showBeside(MainWindow *window, MainWindow *origin)
{
    QScreen *screen = origin ? origin->screen() : nullptr;
    if (!screen) {
        window->showMaximized();
        return;
    }
    const QRect available = screen->availableGeometry();
    window->setGeometry(WindowCascade::next(origin->geometry(), available));
    window->show();
    QWidget *console = window->presenter()->console();
    console->move(WindowCascade::next(origin->presenter()->console()->pos(), console->size(), available));
}
} // namespace

DocumentOpenedObserver::DocumentOpenedObserver(QWidget *origin) : m_origin(origin) {}

void DocumentOpenedObserver::notify()
{
    auto *window = new MainWindow;
    lastWindow() = window;
    Core::Operations::OperationContext &context = window->presenter()->context();
    const Core::Operations::DocumentFiles::Result result =
        Core::Operations::DocumentFiles::open(Core::Operations::OpenDocumentOperation::fileToOpen(), context);
    window->setWindowTitle(QStringLiteral("Tessival  ") + context.document().fileName());
    window->view()->fitToVolumes();
    showBeside(window, qobject_cast<MainWindow *>(m_origin.data()));
    if (!result.ok)
        QMessageBox::information(window, result.errorTitle, result.errorText);
}

MainWindow *DocumentOpenedObserver::lastOpenedWindow()
{
    return lastWindow();
}

} // namespace Observers
} // namespace Ui
