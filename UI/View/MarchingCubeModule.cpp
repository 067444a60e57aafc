#include "UI/View/MarchingCubeModule.h"

#include "Model/Geometry/VolumeGeometry.h"

#include <GL/gl.h>

namespace Ui {

void MarchingCubeModule::drawOpaque(const Model::Geometry::VolumeGeometry &geometry, bool) const
{
    const auto &triangles = geometry.marchingCubes.triangles;
    if (triangles.empty())
        return;
    using Model::Geometry::SurfaceVertex;
    const SurfaceVertex &first = triangles.front().vertices[0];
    const GLsizei stride = sizeof(SurfaceVertex);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, first.position.data());
    glNormalPointer(GL_FLOAT, stride, first.normal.data());
    glColorPointer(3, GL_FLOAT, stride, first.colour.data());
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(3 * triangles.size()));
    glPopClientAttrib();
}

void MarchingCubeModule::drawTranslucent(const Model::Geometry::VolumeGeometry &, bool) const
{
}

} // namespace Ui
