#pragma once

#include "Util/Vector3D.h"
#include "Util/Vector4D.h"

namespace Model {

class IRenderPass;

// Base of the scene objects. Every object takes a fresh id from one
// process-wide counter; ids are never reused, and double as GL pick names.
class Object
{
public:
    enum Type { CellVolumeType = 1, ExtractedModelType = 2 };

    Object();
    Object(const Object &) = delete;
    Object &operator=(const Object &) = delete;
    virtual ~Object() = default;

    virtual int objectType() const = 0;
    // Draws the object into a rendering pass of the view.
    virtual void draw(IRenderPass &pass, bool renderObjects, bool renderEdges) = 0;
    // Draws what a pick should hit, in a selection pass.
    virtual void drawForSelection(IRenderPass &pass) = 0;
    // A new object equal to this one, owned by the caller; null when the
    // object cannot be copied.
    virtual Object *clone() = 0;
    virtual void moveBy(const Util::Vector3D &d) = 0;
    virtual void bounds(Util::Vector4D &low, Util::Vector4D &high) = 0;

    virtual Util::Vector4D colour() const;
    virtual Util::Vector3D outlineColour() const;
    virtual void setColour(const Util::Vector4D &colour);
    virtual void setOutlineColour(const Util::Vector4D &colour);
    virtual void setSelected(bool selected);
    virtual bool isSelected() const;

    unsigned id() const { return m_id; }
    bool isMoving() const { return m_moving; }
    void setMoving(bool moving) { m_moving = moving; }
    Util::Vector3D previewDisplacement() const { return m_previewDisplacement; }
    void setPreviewDisplacement(const Util::Vector3D &d) { m_previewDisplacement = d; }

private:
    Util::Vector4D m_colour;
    Util::Vector4D m_outlineColour;
    unsigned m_id;
    bool m_moving = false;
    Util::Vector3D m_previewDisplacement;
    bool m_selected = false;
};

} // namespace Model
