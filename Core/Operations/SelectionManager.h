#pragma once

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Model {
class Document;
class Object;
}

namespace Util {
class IObserver;
}

namespace Core {
namespace Operations {

class IPickPass;
class PickInput;

// Turns picks in the view into the selection, while selection mode is on,
// and publishes the selection to the pick input that operations read.
class SelectionManager
{
public:
    using ObjectPtr = boost::shared_ptr<Model::Object>;

    SelectionManager(Model::Document &document, PickInput &pickInput);

    bool mode() const { return m_mode; }
    // Switching off clears the selection; observers hear of every change.
    void setMode(bool on);
    void clear();

    // A left click at window position (x, y): with selection mode on, toggles
    // the objects of the first hit record. True when something was hit.
    bool pickAt(int x, int y, IPickPass &pass);
    // Selects each named object that is not selected and deselects each
    // that is, as for one hit record.
    void toggle(const std::vector<unsigned> &names);

    const std::vector<ObjectPtr> &selectedObjects() const { return m_selected; }
    void addObserver(const boost::shared_ptr<Util::IObserver> &observer);

private:
    void publish();

    Model::Document &m_document;
    PickInput &m_pickInput;
    std::vector<ObjectPtr> m_selected;
    std::vector<boost::shared_ptr<Util::IObserver>> m_observers;
    bool m_mode = false;
};

} // namespace Operations
} // namespace Core
