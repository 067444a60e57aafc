#pragma once

#include "Util/IObserver.h"

namespace Ui {

class MainWindow;

namespace Observers {

// Opens the chosen document in a new main window of its own.
class DocumentOpenedObserver : public Util::IObserver
{
public:
    void notify() override;

    // The window the last notification opened (for tests).
    static MainWindow *lastOpenedWindow();
};

} // namespace Observers
} // namespace Ui
