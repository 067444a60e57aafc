#include "Core/Operations/Objects/DeleteObject.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Object.h"

namespace Core {
namespace Operations {

DeleteObject::DeleteObject(OperationContext *context)
    : ObjectOperation(context, "Delete Objects", DeleteObjectId)
{
}

void DeleteObject::execute()
{
    if (m_done)
        return;
    OperationContext &ctx = *context();
    const auto picked = ctx.pickInput().selectedObjects();
    if (picked.empty()) {
        ctx.consoleInput().postMessage("Delete: Select the objects to be deleted and press Return/Enter");
        ctx.consoleInput().requestEnter(this);
        ctx.selectionManager().setMode(true);
        return;
    }
    m_deleted = picked;
    ctx.selectionManager().clear();
    ctx.selectionManager().setMode(false);
    m_done = true;
    end();
}

void DeleteObject::end()
{
    OperationContext &ctx = *context();
    if (!m_done) {
        ctx.notifyUpdate();
        ctx.consoleInput().reset();
        ctx.consoleInput().postMessage("Delete: Operation canceled, no selected objects.");
        ctx.abandonOperation();
        return;
    }
    for (const auto &object : m_deleted)
        ctx.document().removeObject(object);
    ctx.notifyUpdate();
    ctx.consoleInput().postMessage("Delete: objects deleted.");
    ctx.endOperation();
}

void DeleteObject::cancel()
{
    OperationContext &ctx = *context();
    ctx.notifyUpdate();
    ctx.consoleInput().reset();
    ctx.consoleInput().postMessage("Delete: Operation canceled.");
    ctx.abandonOperation();
}

int DeleteObject::undo()
{
    for (const auto &object : m_deleted)
        context()->document().addObject(object);
    context()->notifyUpdate();
    return Undone;
}

int DeleteObject::redo()
{
    for (const auto &object : m_deleted)
        context()->document().removeObject(object);
    context()->notifyUpdate();
    return Redone;
}

} // namespace Operations
} // namespace Core
