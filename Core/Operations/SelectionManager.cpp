#include "Core/Operations/SelectionManager.h"

#include "Core/Operations/IPickPass.h"
#include "Core/Operations/PickInput.h"
#include "Model/Document.h"
#include "Model/Object.h"
#include "Util/ObserverList.h"

#include <algorithm>

namespace Core {
namespace Operations {

SelectionManager::SelectionManager(Model::Document &document, PickInput &pickInput)
    : m_document(document)
    , m_pickInput(pickInput)
{
}

void SelectionManager::setMode(bool on)
{
    if (on == m_mode)
        return;
    m_mode = on;
    if (!m_mode)
        clear();
    Util::notifyAll(m_observers);
}

void SelectionManager::clear()
{
    for (const ObjectPtr &object : m_selected)
        object->setSelected(false);
    m_selected.clear();
    publish();
}

bool SelectionManager::pickAt(int x, int y, IPickPass &pass)
{
    if (!m_mode)
        return false;
    std::vector<unsigned> names;
    const bool hit = pass.firstHit(x, y, names);
    if (hit)
        toggle(names);
    publish();
    return hit;
}

void SelectionManager::toggle(const std::vector<unsigned> &names)
{
    for (unsigned name : names) {
        const ObjectPtr object = m_document.findObject(name);
        if (!object)
            continue;
        if (object->isSelected()) {
            object->setSelected(false);
            m_selected.erase(std::remove(m_selected.begin(), m_selected.end(), object), m_selected.end());
        } else {
            object->setSelected(true);
            m_selected.push_back(object);
        }
    }
    publish();
}

void SelectionManager::addObserver(const boost::shared_ptr<Util::IObserver> &observer)
{
    if (observer)
        m_observers.push_back(observer);
}

void SelectionManager::publish()
{
    m_pickInput.setSelectedObjects(m_selected);
}

} // namespace Operations
} // namespace Core
