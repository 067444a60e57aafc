#pragma once

#include "Model/Geometry/QuadFace.h"

#include <initializer_list>

namespace Ui {

// Quads of the cell-volume surfaces in the fixed-function pipeline of the
// current context, in world units from the volume's corner.
class QuadDrawing
{
public:
    // Filled, lit by their normals, in their fill colours.
    static void drawFaces(const Model::Geometry::QuadFaceList &faces);
    // The outlines of the quads in their edge colours, unlit and pulled
    // towards the viewer so that they show over the faces they border.
    static void drawEdges(std::initializer_list<const Model::Geometry::QuadFaceList *> lists);

    // The state outlines are drawn in, for as long as it lives: unlit lines
    // of width 2, pulled towards the viewer.
    class EdgeStyle
    {
    public:
        EdgeStyle();
        ~EdgeStyle();
        EdgeStyle(const EdgeStyle &) = delete;
        EdgeStyle &operator=(const EdgeStyle &) = delete;
    };
};

} // namespace Ui
