#pragma once

#include "Model/Geometry/AtomGeometry.h"
#include "Model/Geometry/QuadFace.h"
#include "Model/Geometry/QuadMesh.h"
#include "Model/Geometry/TriangleMesh.h"

#include <cstdint>
#include <vector>

namespace Model {
namespace Geometry {

class ColourMap;

// What the view shows of a cell volume as plain mesh data, in world units
// from the volume's corner: the surface of the chosen algorithm, the
// outlines of the empty cells, the atomistic view, and the materials
// present in the draw range. Only what the view options ask for is filled in.
struct VolumeGeometry
{
    QuadMesh cubicFaces;
    QuadMesh octreeFaces;
    TriangleMesh marchingCubes;
    QuadFaceList emptyCellOutlines;
    // The atomistic view of the volume's Si lattice, over any surface.
    AtomGeometry atoms;
    std::vector<std::uint32_t> presentMaterials;

    // The surfaces take the catalogue's colours anew, highlighted when the
    // volume is selected. Outlines keep their own colour.
    void recolour(const ColourMap &colours, bool selected);
};

} // namespace Geometry
} // namespace Model
