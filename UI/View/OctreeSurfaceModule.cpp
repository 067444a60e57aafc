#include "UI/View/OctreeSurfaceModule.h"

#include "Model/Geometry/VolumeGeometry.h"
#include "UI/View/QuadDrawing.h"

namespace Ui {

void OctreeSurfaceModule::drawOpaque(const Model::Geometry::VolumeGeometry &geometry, bool edges) const
{
    QuadDrawing::drawFaces(geometry.octreeFaces.opaque);
    if (edges)
        QuadDrawing::drawEdges({&geometry.octreeFaces.opaque});
}

void OctreeSurfaceModule::drawTranslucent(const Model::Geometry::VolumeGeometry &geometry, bool edges) const
{
    QuadDrawing::drawFaces(geometry.octreeFaces.translucent);
    if (edges)
        QuadDrawing::drawEdges({&geometry.octreeFaces.translucent});
}

} // namespace Ui
