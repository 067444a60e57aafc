#include "Core/Operations/PickInput.h"

#include <mutex>

namespace Core {
namespace Operations {

PickInput::ObjectList PickInput::selectedObjects() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_selectedObjects;
}

void PickInput::setSelectedObjects(const ObjectList &objects)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_selectedObjects = objects;
}

void PickInput::requestPick(Operation *op)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pickRequester = op;
}

Operation *PickInput::pickRequester() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pickRequester;
}

void PickInput::clearRequest()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pickRequester = nullptr;
}

} // namespace Operations
} // namespace Core
