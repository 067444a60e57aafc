#include "UI/View/CubicFacesModule.h"

#include "Model/Geometry/VolumeGeometry.h"
#include "UI/View/QuadDrawing.h"

namespace Ui {

void CubicFacesModule::drawOpaque(const Model::Geometry::VolumeGeometry &geometry, bool edges) const
{
    const Model::Geometry::QuadMesh &faces = geometry.cubicFaces;
    QuadDrawing::drawFaces(faces.opaque);
    if (edges)
        QuadDrawing::drawEdges({&faces.opaque, &faces.translucent});
}

void CubicFacesModule::drawTranslucent(const Model::Geometry::VolumeGeometry &geometry, bool) const
{
    QuadDrawing::drawFaces(geometry.cubicFaces.translucent);
}

} // namespace Ui
