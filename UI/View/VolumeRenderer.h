#pragma once

#include "Model/Automaton/VolumeViewOptions.h"
#include "UI/View/AtomModule.h"
#include "UI/View/CubicFacesModule.h"
#include "UI/View/EmptyCellOutlineModule.h"
#include "UI/View/MarchingCubeModule.h"
#include "UI/View/MaskOverlayModule.h"
#include "UI/View/OctreeSurfaceModule.h"
#include "UI/View/VolumeRenderStates.h"

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Ui {

class SurfaceModule;

// Draws the cell volumes of one view: brings each volume's render state up
// to date and hands its mesh data to the render module of each
// representation, opaque parts first, then the blended ones (translucent
// faces, unit-cell boxes, mask overlays) without depth writes. The
// atomistic view shows over whichever surface is chosen.
class VolumeRenderer
{
public:
    VolumeRenderStates &states() { return m_states; }
    const VolumeRenderStates &states() const { return m_states; }

    void draw(Model::Automaton::TotalVolume &volume, bool renderObjects, bool renderEdges);
    // The volume's bounding box, which is what a pick hits.
    static void drawBounds(const Model::Automaton::TotalVolume &volume);

private:
    const SurfaceModule *surfaceModule(Model::Automaton::SurfaceGenerationAlgorithm algorithm) const;

    VolumeRenderStates m_states;
    CubicFacesModule m_cubicFaces;
    OctreeSurfaceModule m_octreeSurface;
    MarchingCubeModule m_marchingCubes;
    EmptyCellOutlineModule m_emptyCellOutlines;
    AtomModule m_atoms;
    MaskOverlayModule m_maskOverlays;
};

} // namespace Ui
