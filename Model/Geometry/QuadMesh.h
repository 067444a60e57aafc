#pragma once

#include "Model/Geometry/QuadFace.h"

#include <vector>

namespace Model {
namespace Geometry {

class ColourMap;

// The quads of one surface, split by how they are drawn: the opaque ones
// with depth writes, then the translucent ones blended over them.
struct QuadMesh
{
    QuadFaceList opaque;
    QuadFaceList translucent;

    std::size_t size() const { return opaque.size() + translucent.size(); }

    // Fill and edge of every face become its material's colour, or the
    // selection highlight of it.
    void recolour(const ColourMap &colours, bool selected);
    static void recolour(QuadFaceList &faces, const ColourMap &colours, bool selected);

    // The lists of several strips appended in strip order; the parts are
    // left empty.
    static QuadFaceList join(std::vector<QuadFaceList> &parts);
};

} // namespace Geometry
} // namespace Model
