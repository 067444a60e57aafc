#pragma once

#include "Util/IObserver.h"

#include <QPointer>

class QWidget;

namespace Ui {

class MainWindow;

namespace Observers {

// Opens the chosen document in a new main window of its own, placed a step
// beside the window it was opened from (`origin`, when that is a main
// window) and fitted to its volumes; in `origin` itself when that holds
// nothing and no change. A file that a window shows already brings that
// window to the front instead: two windows on one file would each save
// over the other's work. A file that cannot be read leaves no window, only
// the message; a document read in part opens with a warning that says what
// was lost.
class DocumentOpenedObserver : public Util::IObserver
{
public:
    explicit DocumentOpenedObserver(QWidget *origin = nullptr);

    void notify() override;

    // The window the last notification opened, if any (for tests).
    static MainWindow *lastOpenedWindow();

private:
    void openInto(MainWindow *window, const QString &path);

    QPointer<QWidget> m_origin;
};

} // namespace Observers
} // namespace Ui
