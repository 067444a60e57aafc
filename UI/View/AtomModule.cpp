#include "UI/View/AtomModule.h"

#include "Model/Geometry/AtomGeometry.h"
#include "Model/Geometry/AtomGeometryBuilder.h"
#include "UI/View/AtomBuffers.h"
#include "UI/View/QuadDrawing.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace Ui {

namespace {

using Model::Geometry::AtomGeometry;

void drawMeshAt(const AtomGeometry::Point &position, GLsizei vertices)
{
    glPushMatrix();
    glTranslatef(position[0], position[1], position[2]);
    glDrawArrays(GL_TRIANGLES, 0, vertices);
    glPopMatrix();
}

void drawAtoms(const AtomGeometry &geometry, const AtomBuffers &buffers, QOpenGLFunctions &gl)
{
    gl.glBindBuffer(GL_ARRAY_BUFFER, buffers.sphere());
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    // The normals follow the positions in the same buffer.
    const std::size_t normals = 3 * sizeof(float) * std::size_t(buffers.sphereVertices());
    glNormalPointer(GL_FLOAT, 0, reinterpret_cast<const void *>(normals));
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    for (const AtomGeometry::Atom &atom : geometry.atoms) {
        glColor3ub(atom.colour[0], atom.colour[1], atom.colour[2]);
        drawMeshAt(atom.position, buffers.sphereVertices());
    }
    const auto &border = Model::Geometry::AtomGeometryBuilder::BorderAtomColour;
    glColor3ub(border[0], border[1], border[2]);
    for (const AtomGeometry::Point &position : geometry.borderAtoms)
        drawMeshAt(position, buffers.sphereVertices());
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
}

// Lines through the points of a buffer, in runs of `run` points (all of
// them in one run when 0).
void drawLines(GLuint buffer, GLenum mode, GLsizei count, GLsizei run, QOpenGLFunctions &gl)
{
    gl.glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glEnableClientState(GL_VERTEX_ARRAY);
    if (run == 0)
        glDrawArrays(mode, 0, count);
    else
        for (GLint first = 0; first + run <= count; first += run)
            glDrawArrays(mode, first, run);
    glDisableClientState(GL_VERTEX_ARRAY);
    gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
}

} // namespace

void AtomModule::drawOpaque(const AtomGeometry &geometry, const AtomBuffers &buffers) const
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    if (!context)
        return;
    QOpenGLFunctions &gl = *context->functions();
    const auto &parts = buffers.parts();
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    if (parts.atoms && buffers.sphere())
        drawAtoms(geometry, buffers, gl);
    if (parts.atomLinks && buffers.links()) {
        glColor3ub(255, 255, 127);
        drawLines(buffers.links(), GL_LINES, buffers.linkVertices(), 0, gl);
    }
    if (parts.unitCellOutlines && buffers.outlines()) {
        const QuadDrawing::EdgeStyle style;
        glColor3ub(127, 127, 255);
        drawLines(buffers.outlines(), GL_LINE_LOOP, buffers.outlineVertices(), 4, gl);
    }
    glPopClientAttrib();
}

void AtomModule::drawTranslucent(const AtomGeometry &geometry, const AtomBuffers &buffers) const
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    if (!context || !buffers.parts().unitCells || !buffers.unitCell())
        return;
    QOpenGLFunctions &gl = *context->functions();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glColor4ub(127, 127, 255, 127);
    gl.glBindBuffer(GL_ARRAY_BUFFER, buffers.unitCell());
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glEnableClientState(GL_VERTEX_ARRAY);
    for (const AtomGeometry::Point &corner : geometry.unitCellCorners)
        drawMeshAt(corner, buffers.unitCellVertices());
    glDisableClientState(GL_VERTEX_ARRAY);
    gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
    glPopClientAttrib();
    glPopAttrib();
}

} // namespace Ui
