#include "Model/Geometry/VolumeGeometry.h"

namespace Model {
namespace Geometry {

void VolumeGeometry::recolour(const ColourMap &colours, bool selected)
{
    cubicFaces.recolour(colours, selected);
    octreeFaces.recolour(colours, selected);
    marchingCubes.recolour(colours, selected);
}

} // namespace Geometry
} // namespace Model
