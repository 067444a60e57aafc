#include "UI/Observers/DocumentOpenedObserver.h"

#include "Core/Operations/DocumentFiles.h"
#include "Core/Operations/OpenDocumentOperation.h"
#include "UI/MainWindow.h"
#include "UI/MainWindowPresenter.h"

#include <QApplication>
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
    window->showMaximized();
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
