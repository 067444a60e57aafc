#pragma once

#include "Util/IObserver.h"

namespace Ui {

class MainWindow;

namespace Observers {

// Opens the chosen document in a new main window of its own. A file that
// cannot be read leaves no window, only the message; a document read in
// part opens with a warning that says what was lost.
class DocumentOpenedObserver : public Util::IObserver
{
public:
    void notify() override;

    // The window the last notification opened, if any (for tests).
    static MainWindow *lastOpenedWindow();
};

} // namespace Observers
} // namespace Ui
