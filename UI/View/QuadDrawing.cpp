#include "UI/View/QuadDrawing.h"

#include <GL/gl.h>

namespace Ui {

using Model::Geometry::QuadFace;

void QuadDrawing::drawFaces(const Model::Geometry::QuadFaceList &faces)
{
    glBegin(GL_QUADS);
    for (const QuadFace &face : faces) {
        glNormal3fv(face.normal);
        glColor4fv(face.fill.data());
        for (const auto &corner : face.corners)
            glVertex3fv(corner.data());
    }
    glEnd();
}

void QuadDrawing::drawEdges(std::initializer_list<const Model::Geometry::QuadFaceList *> lists)
{
    const EdgeStyle style;
    glBegin(GL_QUADS);
    for (const Model::Geometry::QuadFaceList *faces : lists) {
        for (const QuadFace &face : *faces) {
            glColor4fv(face.edge.data());
            for (const auto &corner : face.corners)
                glVertex3fv(corner.data());
        }
    }
    glEnd();
}

QuadDrawing::EdgeStyle::EdgeStyle()
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-2.5f, -2.5f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glLineWidth(2.0f);
}

QuadDrawing::EdgeStyle::~EdgeStyle()
{
    glPopAttrib();
}

} // namespace Ui
