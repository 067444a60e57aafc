#include "Core/Operations/Documents/ChangeDocumentUnitsOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"

namespace Core {
namespace Operations {

ChangeDocumentUnitsOperation::ChangeDocumentUnitsOperation(OperationContext *context)
    : ObjectOperation(context, "Document Units", DocumentUnitsId)
    , m_before(context->document().lengthUnit())
    , m_after(m_before)
{
}

void ChangeDocumentUnitsOperation::execute()
{
    if (!observer()) {
        cancel();
        return;
    }
    notifyObserver();
}

void ChangeDocumentUnitsOperation::cancel()
{
    cancelSilently();
}

void ChangeDocumentUnitsOperation::end()
{
    if (m_after == m_before) {
        cancelSilently();
        return;
    }
    apply(m_after);
    postMessage("One world unit is " + m_after.toString().toStdString() + " now.");
    context()->endOperation();
}

int ChangeDocumentUnitsOperation::undo()
{
    apply(m_before);
    return Undone;
}

int ChangeDocumentUnitsOperation::redo()
{
    apply(m_after);
    return Redone;
}

Model::LengthUnit ChangeDocumentUnitsOperation::currentUnit() const
{
    return context()->document().lengthUnit();
}

void ChangeDocumentUnitsOperation::apply(const Model::LengthUnit &unit) const
{
    context()->document().setLengthUnit(unit);
    context()->notifyUpdate();
}

} // namespace Operations
} // namespace Core
