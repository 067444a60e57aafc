#include "UI/View/GlRenderPass.h"

#include "Model/Automaton/TotalVolume.h"

#include <GL/gl.h>

namespace Ui {

Model::IRenderPass::Mode GlRenderPass::mode() const
{
    GLint mode = 0;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    switch (mode) {
    case GL_RENDER: return Mode::Render;
    case GL_SELECT: return Mode::Select;
    default: return Mode::Other;
    }
}

void GlRenderPass::pushName(unsigned name)
{
    glPushName(name);
}

void GlRenderPass::popName()
{
    glPopName();
}

namespace {

using Model::Automaton::TotalVolumePainter;
using Model::Geometry::QuadFace;

void drawQuads(const TotalVolumePainter::FaceList &faces)
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

void drawEdges(std::initializer_list<const TotalVolumePainter::FaceList *> lists)
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-2.5f, -2.5f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glLineWidth(2.0f);
    glBegin(GL_QUADS);
    for (const TotalVolumePainter::FaceList *faces : lists) {
        for (const QuadFace &face : *faces) {
            glColor4fv(face.edge.data());
            for (const auto &corner : face.corners)
                glVertex3fv(corner.data());
        }
    }
    glEnd();
    glPopAttrib();
}

void drawMasks(const Model::Automaton::TotalVolume &volume)
{
    const TotalVolumePainter &painter = volume.painter();
    const float cz = volume.cellsizeZ();
    const float heights[2] = {-5.0f * cz, (float(volume.sizeZ()) + 5.0f) * cz};
    const Model::Automaton::CellMask *masks[2] = {&volume.bottomMask(), &volume.topMask()};
    glDisable(GL_CULL_FACE);
    glColor4f(0.2f, 0.8f, 0.2f, 0.3f);
    glBegin(GL_QUADS);
    for (int m = 0; m < 2; ++m) {
        for (const auto &r : painter.maskRectangles(*masks[m])) {
            glVertex3f(r[0], r[1], heights[m]);
            glVertex3f(r[2], r[1], heights[m]);
            glVertex3f(r[2], r[3], heights[m]);
            glVertex3f(r[0], r[3], heights[m]);
        }
    }
    glEnd();
    glEnable(GL_CULL_FACE);
}

} // namespace

void GlRenderPass::paintCellVolume(Model::Automaton::TotalVolume &volume, bool renderObjects, bool renderEdges)
{
    TotalVolumePainter &painter = volume.painter();
    if (painter.isPaintingSuspended())
        return;
    painter.followSelection();
    const auto faces = painter.lockFaces();
    const Util::Vector3D p = volume.position();
    const Util::Vector3D preview = volume.isMoving() ? volume.previewDisplacement() : Util::Vector3D();
    glPushMatrix();
    glTranslated(p.x + preview.x, p.y + preview.y, p.z + preview.z);
    if (!renderObjects) {
        glPopMatrix();
        return;
    }
    const bool octree = painter.algorithm() == TotalVolumePainter::OctreeSurface;
    if (painter.algorithm() == TotalVolumePainter::MarchingCubes) {
        // This painter generates no marching-cube surface: only the masks show.
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glEnable(GL_BLEND);
        glDepthMask(GL_FALSE);
        drawMasks(volume);
        glPopAttrib();
        glPopMatrix();
        return;
    }
    const TotalVolumePainter::FaceList &opaque = octree ? painter.octree().opaqueFaces() : painter.opaqueFaces();
    const TotalVolumePainter::FaceList &translucent =
        octree ? painter.octree().translucentFaces() : painter.translucentFaces();
    drawQuads(opaque);
    if (renderEdges) {
        if (octree)
            drawEdges({&opaque});
        else if (painter.rendersEmptyVoxelOutlines())
            drawEdges({&opaque, &translucent, &painter.outlineFaces()});
        else
            drawEdges({&opaque, &translucent});
    }

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    drawQuads(translucent);
    if (octree && renderEdges)
        drawEdges({&translucent});
    drawMasks(volume);
    glPopAttrib();
    glPopMatrix();
}

void GlRenderPass::paintCellVolumeBounds(const Model::Automaton::TotalVolume &volume)
{
    const Util::Vector3D p = volume.position();
    const float x = float(volume.sizeX()) * volume.cellsizeX();
    const float y = float(volume.sizeY()) * volume.cellsizeY();
    const float z = float(volume.sizeZ()) * volume.cellsizeZ();
    glPushMatrix();
    glTranslated(p.x, p.y, p.z);
    glBegin(GL_QUADS);
    // -z, +z, -y, +y, -x, +x
    glVertex3f(0, 0, 0); glVertex3f(0, y, 0); glVertex3f(x, y, 0); glVertex3f(x, 0, 0);
    glVertex3f(0, 0, z); glVertex3f(x, 0, z); glVertex3f(x, y, z); glVertex3f(0, y, z);
    glVertex3f(0, 0, 0); glVertex3f(x, 0, 0); glVertex3f(x, 0, z); glVertex3f(0, 0, z);
    glVertex3f(0, y, 0); glVertex3f(0, y, z); glVertex3f(x, y, z); glVertex3f(x, y, 0);
    glVertex3f(0, 0, 0); glVertex3f(0, 0, z); glVertex3f(0, y, z); glVertex3f(0, y, 0);
    glVertex3f(x, 0, 0); glVertex3f(x, y, 0); glVertex3f(x, y, z); glVertex3f(x, 0, z);
    glEnd();
    glPopMatrix();
}

} // namespace Ui
