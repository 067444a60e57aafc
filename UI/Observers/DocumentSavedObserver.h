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

// After a save, the window's title shows the file the document is kept in.
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
