#pragma once

#include "Util/IObserver.h"

#include <QPointer>
#include <QWidget>

namespace Core {
namespace Operations {
class OperationContext;
}
}

namespace Ui {
namespace Observers {

// After a save, the window's title shows the file the document is kept in
// ("Tessival  /path/wafer.cvx", or "Tessival" without one), followed by a
// "*" while there are unsaved changes. The presenter also keeps one on the
// history, so that the title follows every change, undo, redo and save.
class DocumentSavedObserver : public Util::IObserver
{
public:
    DocumentSavedObserver(Core::Operations::OperationContext *context, QWidget *window);
    void notify() override;

private:
    Core::Operations::OperationContext *m_context;
    QPointer<QWidget> m_window;
};

} // namespace Observers
} // namespace Ui
