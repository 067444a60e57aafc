#include "UI/View/GlRenderPass.h"

#include <GL/gl.h>

namespace Ui {

namespace {

// The four corners of each face of a box, counter-clockwise seen from
// outside, with the face's outward normal.
struct BoxFace
{
    int normalAxis;
    double normalSign;
    int corners[4][3]; // 0 = low, 1 = high, per axis
};

const BoxFace BoxFaces[6] = {
    {0, -1, {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}},
    {0, 1, {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}},
    {1, -1, {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}},
    {1, 1, {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}}},
    {2, -1, {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}},
    {2, 1, {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}},
};

void boxCorner(const Model::IRenderPass::ShadedBox &box, const int (&corner)[3])
{
    glVertex3d(corner[0] ? box.high.x : box.low.x, corner[1] ? box.high.y : box.low.y,
               corner[2] ? box.high.z : box.low.z);
}

} // namespace

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

void GlRenderPass::paintCellVolume(Model::Automaton::TotalVolume &volume, bool renderObjects, bool renderEdges)
{
    m_volumes.draw(volume, renderObjects, renderEdges);
}

void GlRenderPass::paintCellVolumeBounds(const Model::Automaton::TotalVolume &volume)
{
    VolumeRenderer::drawBounds(volume);
}

void GlRenderPass::paintBoxes(const std::vector<ShadedBox> &boxes, const Util::Vector3D &outline)
{
    for (const ShadedBox &box : boxes) {
        glColor3d(box.colour.x, box.colour.y, box.colour.z);
        glBegin(GL_QUADS);
        for (const BoxFace &face : BoxFaces) {
            double normal[3] = {0, 0, 0};
            normal[face.normalAxis] = face.normalSign;
            glNormal3dv(normal);
            for (const auto &corner : face.corners)
                boxCorner(box, corner);
        }
        glEnd();
        // Each face outlined on its own, so no edge cuts across a face.
        glColor3d(outline.x, outline.y, outline.z);
        for (const BoxFace &face : BoxFaces) {
            glBegin(GL_LINE_LOOP);
            for (const auto &corner : face.corners)
                boxCorner(box, corner);
            glEnd();
        }
    }
}

} // namespace Ui
