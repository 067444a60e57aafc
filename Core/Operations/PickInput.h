#pragma once

#include <mutex>

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Model {
class Object;
}

namespace Core {
namespace Operations {

class Operation;

// The picked objects as operations read them: a copy of the selection that
// the selection manager publishes after every pick. Guarded by its own mutex.
class PickInput
{
public:
    using ObjectList = std::vector<boost::shared_ptr<Model::Object>>;

    ObjectList selectedObjects() const;
    void setSelectedObjects(const ObjectList &objects);

    // Room for an operation that waits for a click in the view as its
    // destination (move and copy register while they wait for a distance).
    void requestPick(Operation *op);
    Operation *pickRequester() const;
    void clearRequest();

private:
    mutable std::mutex m_mutex;
    ObjectList m_selectedObjects;
    Operation *m_pickRequester = nullptr;
};

} // namespace Operations
} // namespace Core
