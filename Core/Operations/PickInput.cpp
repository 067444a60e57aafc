#include "Core/Operations/PickInput.h"

#include <QMutexLocker>

namespace Core {
namespace Operations {

PickInput::ObjectList PickInput::selectedObjects() const
{
    QMutexLocker lock(&m_mutex);
    return m_selectedObjects;
}

void PickInput::setSelectedObjects(const ObjectList &objects)
{
    QMutexLocker lock(&m_mutex);
    m_selectedObjects = objects;
}

void PickInput::requestPick(Operation *op)
{
    QMutexLocker lock(&m_mutex);
    m_pickRequester = op;
}

Operation *PickInput::pickRequester() const
{
    QMutexLocker lock(&m_mutex);
    return m_pickRequester;
}

void PickInput::clearRequest()
{
    QMutexLocker lock(&m_mutex);
    m_pickRequester = nullptr;
}

} // namespace Operations
} // namespace Core
