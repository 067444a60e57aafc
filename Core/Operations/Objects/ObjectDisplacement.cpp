#include "Core/Operations/Objects/ObjectDisplacement.h"

#include "Core/Operations/OperationContext.h"
#include "Model/Object.h"

namespace Core {
namespace Operations {

ObjectDisplacement::ObjectDisplacement(OperationContext *context, const std::string &title, int id,
                                       const Messages &messages)
    : ObjectOperation(context, title, id)
    , m_messages(messages)
{
}

void ObjectDisplacement::execute()
{
    OperationContext &ctx = *context();
    ConsoleInput &console = ctx.consoleInput();
    switch (m_state) {
    case Selecting: {
        const auto picked = ctx.pickInput().selectedObjects();
        if (picked.empty()) {
            console.postMessage(m_messages.select);
            console.requestEnter(this);
            ctx.selectionManager().setMode(true);
            return;
        }
        m_travellers = takeTravellers(picked);
        for (const auto &object : m_travellers) {
            object->setMoving(true);
            object->setPreviewDisplacement(Util::Vector3D(m_displacement));
        }
        console.postMessage(m_messages.enterDistance);
        m_distanceTyped = false;
        console.requestCoordinates(this, &m_displacement, &m_distanceTyped);
        ctx.pickInput().requestPick(this);
        m_state = WaitingForDistance;
        ctx.selectionManager().setMode(false);
        ctx.notifyUpdate();
        return;
    }
    case WaitingForDistance:
        if (m_distanceTyped) {
            m_state = Finished;
            end();
            return;
        }
        // Enter without a distance: only a click could place the objects now.
        console.reset();
        console.postMessage(m_messages.clickDestination);
        m_state = WaitingForPick;
        return;
    case WaitingForPick:
    case Finished:
        return;
    }
}

void ObjectDisplacement::cancel()
{
    if (m_state == Finished)
        return;
    context()->pickInput().clearRequest();
    context()->consoleInput().reset();
    stopPreview();
    context()->consoleInput().postMessage(m_messages.canceled);
    context()->notifyUpdate();
}

void ObjectDisplacement::end()
{
    OperationContext &ctx = *context();
    if (m_state != Finished) {
        cancel();
        ctx.abandonOperation();
        return;
    }
    stopPreview();
    arrive();
    ctx.selectionManager().clear();
    ctx.pickInput().clearRequest();
    ctx.consoleInput().reset();
    ctx.consoleInput().postMessage(m_messages.finished);
    ctx.endOperation();
    ctx.notifyUpdate();
}

void ObjectDisplacement::moveTravellers(double factor)
{
    Util::Vector3D d(m_displacement);
    d *= factor;
    for (const auto &object : m_travellers)
        object->moveBy(d);
}

void ObjectDisplacement::stopPreview()
{
    for (const auto &object : m_travellers) {
        object->setMoving(false);
        object->setPreviewDisplacement(Util::Vector3D());
    }
}

} // namespace Operations
} // namespace Core
