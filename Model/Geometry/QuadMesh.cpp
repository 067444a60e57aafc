#include "Model/Geometry/QuadMesh.h"

#include "Model/Geometry/ColourMap.h"

#include <iterator>

namespace Model {
namespace Geometry {

void QuadMesh::recolour(const ColourMap &colours, bool selected)
{
    recolour(opaque, colours, selected);
    recolour(translucent, colours, selected);
}

void QuadMesh::recolour(QuadFaceList &faces, const ColourMap &colours, bool selected)
{
    for (QuadFace &face : faces)
        face.fill = face.edge = colours.shown(face.material, selected);
}

QuadFaceList QuadMesh::join(std::vector<QuadFaceList> &parts)
{
    std::size_t total = 0;
    for (const QuadFaceList &part : parts)
        total += part.size();
    QuadFaceList result;
    result.reserve(total);
    for (QuadFaceList &part : parts) {
        result.insert(result.end(), std::make_move_iterator(part.begin()), std::make_move_iterator(part.end()));
        QuadFaceList().swap(part);
    }
    return result;
}

} // namespace Geometry
} // namespace Model
