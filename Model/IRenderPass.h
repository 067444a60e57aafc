#pragma once

#include "Util/Vector3D.h"

#include <vector>

namespace Model {

namespace Automaton {
class TotalVolume;
}

// The frame the scene is drawn into. The OpenGL view implements it; objects
// describe what to draw through it, so the model never calls GL itself and
// builds and is tested without a display.
class IRenderPass
{
public:
    enum class Mode { Render, Select, Other };

    virtual ~IRenderPass() = default;
    virtual Mode mode() const = 0;
    // Selection passes tag what is drawn with the object's id.
    virtual void pushName(unsigned name) = 0;
    virtual void popName() = 0;

    // A cell volume as its view options show it.
    virtual void paintCellVolume(Automaton::TotalVolume &volume, bool renderObjects, bool renderEdges) = 0;
    // A cell volume's bounding box, which is what a pick hits.
    virtual void paintCellVolumeBounds(const Automaton::TotalVolume &volume) = 0;

    // An axis-aligned box in world units with its fill colour.
    struct ShadedBox
    {
        Util::Vector3D low;
        Util::Vector3D high;
        Util::Vector3D colour;
    };
    // Filled boxes with outward normals, each outlined face by face.
    virtual void paintBoxes(const std::vector<ShadedBox> &boxes, const Util::Vector3D &outline) = 0;
};

} // namespace Model
