#include "Core/Operations/Documents/SaveDocumentOperation.h"

#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/Documents/IDocumentDialogs.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"

#include <QFileInfo>

namespace Core {
namespace Operations {

SaveDocumentOperation::SaveDocumentOperation(OperationContext *context)
    : SaveDocumentOperation(context, "Save document", SaveDocumentId)
{
}

SaveDocumentOperation::SaveDocumentOperation(OperationContext *context, const std::string &title, int id)
    : Operation(context, title, id)
{
}

QString SaveDocumentOperation::chooseLocation() const
{
    const auto dialogs = context()->documentDialogs();
    if (!dialogs)
        return QString();
    const QString chosen = dialogs->chooseSaveLocation();
    const QString target = DocumentFiles::withExtension(chosen);
    if (target != chosen && QFileInfo::exists(target) && !dialogs->confirmReplace(target))
        return QString();
    return target;
}

void SaveDocumentOperation::saveToTarget()
{
    const DocumentFiles::Result result = DocumentFiles::save(m_target, *context());
    const auto dialogs = context()->documentDialogs();
    if (!result.ok && dialogs)
        dialogs->showError(result.errorTitle, result.errorText);
    notifyObserver();
}

void SaveDocumentOperation::execute()
{
    m_target = context()->document().fileName();
    if (m_target.isEmpty())
        m_target = chooseLocation();
    end();
}

void SaveDocumentOperation::cancel()
{
    cancelSilently();
}

void SaveDocumentOperation::end()
{
    if (m_target.isEmpty()) {
        context()->abandonOperation();
        return;
    }
    saveToTarget();
    context()->endOperation();
}

SaveDocumentAsOperation::SaveDocumentAsOperation(OperationContext *context)
    : SaveDocumentOperation(context, "Save Document As", SaveDocumentAsId)
{
}

void SaveDocumentAsOperation::execute()
{
    m_target = chooseLocation();
    end();
}

void SaveDocumentAsOperation::end()
{
    if (!m_target.isEmpty())
        saveToTarget();
    context()->endOperation();
}

} // namespace Operations
} // namespace Core
