#include "UI/Observers/DocumentSavedObserver.h"

#include "Core/Operations/OperationContext.h"

namespace Ui {
namespace Observers {

DocumentSavedObserver::DocumentSavedObserver(Core::Operations::OperationContext *context, QWidget *window)
    : m_context(context)
    , m_window(window)
{
}

void DocumentSavedObserver::notify()
{
    if (m_window)
        m_window->setWindowTitle(QStringLiteral("Tessival  ") + m_context->document().fileName());
}

} // namespace Observers
} // namespace Ui
