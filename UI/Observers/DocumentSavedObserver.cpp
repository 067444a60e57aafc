#include "UI/Observers/DocumentSavedObserver.h"

#include "Core/Operations/OperationContext.h"

namespace Ui {
namespace Observers {

namespace {

QString title(const QString &fileName, bool unsavedChanges)
{
    QString text = fileName.isEmpty() ? QStringLiteral("Tessival") : QStringLiteral("Tessival  ") + fileName;
    if (unsavedChanges)
        text += QLatin1Char('*');
    return text;
}

} // namespace

DocumentSavedObserver::DocumentSavedObserver(Core::Operations::OperationContext *context, QWidget *window)
    : m_context(context)
    , m_window(window)
{
}

void DocumentSavedObserver::notify()
{
    if (m_window)
        m_window->setWindowTitle(title(m_context->document().fileName(), m_context->hasUnsavedChanges()));
}

} // namespace Observers
} // namespace Ui
