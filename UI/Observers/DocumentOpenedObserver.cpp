#include "UI/Observers/DocumentOpenedObserver.h"

#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/Documents/OpenDocumentOperation.h"
#include "UI/Console/CommandConsole.h"
#include "UI/GLWidget.h"
#include "UI/MainWindow.h"
#include "UI/MainWindowPresenter.h"
#include "UI/WindowCascade.h"

#include <QApplication>
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
    const QString path = Core::Operations::OpenDocumentOperation::fileToOpen();
    lastWindow() = nullptr;
    auto *window = new MainWindow;
    // Its presenter titles the window after the document read into it.
    const Core::Operations::DocumentFiles::Result result =
        Core::Operations::DocumentFiles::open(path, window->presenter()->context());
    if (!result.ok) {
        // Nothing was read: no empty window stays behind the message.
        delete window;
        QMessageBox::information(QApplication::activeWindow(), result.errorTitle, result.errorText);
        return;
    }
    lastWindow() = window;
    window->view()->fitToVolumes();
    showBeside(window, qobject_cast<MainWindow *>(m_origin.data()));
    if (!result.damage.isEmpty())
        QMessageBox::warning(window, QStringLiteral("Damaged document"),
                             result.damage.join(QLatin1Char('\n'))
                                 + QStringLiteral("\n\nThe window keeps no file name, so Save asks where to save; "
                                                  "%1 is left as it is.")
                                       .arg(path));
}

MainWindow *DocumentOpenedObserver::lastOpenedWindow()
{
    return lastWindow();
}

} // namespace Observers
} // namespace Ui
