#include "Model/Object.h"

#include "Model/ColourScheme.h"

#include <atomic>

namespace Model {

namespace {
std::atomic<unsigned> nextObjectId{0};
}

Object::Object()
    : m_colour(ColourScheme::colour(ColourScheme::ObjectColour, ColourScheme::DefaultScheme))
    , m_outlineColour(ColourScheme::colour(ColourScheme::OutlineColour, ColourScheme::DefaultScheme))
    , m_id(nextObjectId.fetch_add(1))
{
}

Util::Vector4D Object::colour() const { return m_colour; }
Util::Vector3D Object::outlineColour() const { return Util::Vector3D(m_outlineColour); }
void Object::setColour(const Util::Vector4D &colour) { m_colour = colour; }
void Object::setOutlineColour(const Util::Vector4D &colour) { m_outlineColour = colour; }
void Object::setSelected(bool selected) { m_selected = selected; }
bool Object::isSelected() const { return m_selected; }

} // namespace Model
