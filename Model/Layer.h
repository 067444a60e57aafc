#pragma once

#include <boost/shared_ptr.hpp>

#include <list>

namespace Model {

class Object;

// One layer of a document: its objects in drawing order.
class Layer
{
public:
    using ObjectList = std::list<boost::shared_ptr<Object>>;

    int number() const { return m_number; }
    bool isVisible() const { return m_visible; }

    ObjectList &objects() { return m_objects; }
    const ObjectList &objects() const { return m_objects; }

private:
    ObjectList m_objects;
    const int m_number = 0;
    const bool m_visible = true;
};

} // namespace Model
