#include "Model/Geometry/TriangleMesh.h"

#include "Model/Geometry/ColourMap.h"

namespace Model {
namespace Geometry {

void TriangleMesh::recolour(const ColourMap &colours, bool selected)
{
    for (Triangle &triangle : triangles) {
        for (SurfaceVertex &vertex : triangle.vertices) {
            const ColourMap::Colour shown = colours.shown(vertex.material, selected);
            vertex.colour = {shown[0], shown[1], shown[2]};
        }
    }
}

} // namespace Geometry
} // namespace Model
