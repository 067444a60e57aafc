#include "UI/Observers/DocumentOpenedObserver.h"

#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/Documents/OpenDocumentOperation.h"
#include "UI/Console/CommandConsole.h"
#include "UI/GLWidget.h"
#include "UI/MainWindow.h"
#include "UI/MainWindowPresenter.h"
#include "UI/WindowCascade.h"

#include <QApplication>
#include <QFileInfo>
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

bool sameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo first(a), second(b);
    const QString canonical = first.canonicalFilePath();
    return canonical.isEmpty() ? first.absoluteFilePath() == second.absoluteFilePath()
                               : canonical == second.canonicalFilePath();
}

// The main window whose document was read from or saved to `path`, if any.
MainWindow *windowOfFile(const QString &path)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *window = qobject_cast<MainWindow *>(widget);
        if (window && window->presenter() && sameFile(window->presenter()->context().document().fileName(), path))
            return window;
    }
    return nullptr;
}

// A window that holds nothing a document read into it could push aside:
// no objects, no file, no history and no unsaved change.
bool isEmptyAndUnchanged(MainWindow *window)
{
    if (!window || !window->presenter())
        return false;
    Core::Operations::OperationContext &context = window->presenter()->context();
    const Core::Operations::OperationHistory &history = context.history();
    return !context.isRunningStep() && context.document().allObjects().empty()
        && context.document().fileName().isEmpty() && !context.hasUnsavedChanges()
        && history.undoCount() + history.redoCount() == 0;
}

void bringToFront(MainWindow *window)
{
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}

void warnOfDamage(MainWindow *window, const Core::Operations::DocumentFiles::Result &result, const QString &path)
{
    if (!result.damage.isEmpty())
        QMessageBox::warning(window, QStringLiteral("Damaged document"),
                             result.damage.join(QLatin1Char('\n'))
                                 + QStringLiteral("\n\nThe window keeps no file name, so Save asks where to save; "
                                                  "%1 is left as it is.")
                                       .arg(path));
}
} // namespace

DocumentOpenedObserver::DocumentOpenedObserver(QWidget *origin) : m_origin(origin) {}

void DocumentOpenedObserver::notify()
{
    const QString path = Core::Operations::OpenDocumentOperation::fileToOpen();
    lastWindow() = nullptr;
    // A second window on the same file would let each save over the other.
    if (MainWindow *open = windowOfFile(path)) {
        bringToFront(open);
        lastWindow() = open;
        return;
    }
    auto *origin = qobject_cast<MainWindow *>(m_origin.data());
    if (isEmptyAndUnchanged(origin)) {
        openInto(origin, path);
        return;
    }
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
    showBeside(window, origin);
    warnOfDamage(window, result, path);
}

void DocumentOpenedObserver::openInto(MainWindow *window, const QString &path)
{
    Core::Operations::OperationContext &context = window->presenter()->context();
    const Core::Operations::DocumentFiles::Result result = Core::Operations::DocumentFiles::open(path, context);
    if (!result.ok) {
        // Whatever was read before the reader gave up goes: the window stays
        // as empty as it was.
        context.document().reset();
        context.notifyUpdate();
        QMessageBox::information(window, result.errorTitle, result.errorText);
        return;
    }
    lastWindow() = window;
    window->view()->fitToVolumes();
    warnOfDamage(window, result, path);
}

MainWindow *DocumentOpenedObserver::lastOpenedWindow()
{
    return lastWindow();
}

} // namespace Observers
} // namespace Ui
