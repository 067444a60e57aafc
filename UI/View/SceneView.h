#pragma once

#include "UI/View/LampSet.h"
#include "UI/View/ViewGrid.h"
#include "UI/View/ViewTransform.h"

namespace Ui {

// Where the 3D view looks from and what it shows: the camera, the lamps,
// the ground grid, the zoom and the display switches. The interactive view
// and the images of batch runs draw from one of these.
struct SceneView
{
    // The zoom stays within these bounds wherever it is set: at zoom 0 the
    // projection collapses and the wheel, which multiplies, could never
    // bring the picture back; an unbounded zoom overflows the same way.
    static constexpr float MinZoom = 0.001f;
    static constexpr float MaxZoom = 10000.0f;
    static float boundedZoom(float zoom);

    SceneView() { transform.setRotation(-60.0f, 0.0f, 30.0f); }

    ViewTransform transform;
    LampSet lamps;
    ViewGrid grid;
    float zoom = 1.0f;
    // The depth of the view box in screen units, set from the picture size.
    float depth = 0.0f;
    bool lighting = true;
    bool renderObjects = true;
    bool renderEdges = false;
    bool renderGrid = false;
    bool showAxis = true;
    // The materials of the shown cell volumes, in a corner of the picture.
    bool showLegend = true;
};

} // namespace Ui
