#include "UI/View/GlRenderPass.h"

#include "Model/Automaton/TotalVolume.h"

#include <QtOpenGL>

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

void GlRenderPass::paintCellVolume(Model::Automaton::TotalVolume &, bool, bool)
{
    // A cell volume shows the surfaces its painter generates; without them
    // there is nothing to draw.
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
