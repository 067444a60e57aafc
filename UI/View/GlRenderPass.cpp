#include "UI/View/GlRenderPass.h"

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

void GlRenderPass::paintCellVolume(Model::Automaton::TotalVolume &volume, bool renderObjects, bool renderEdges)
{
    m_volumes.draw(volume, renderObjects, renderEdges);
}

void GlRenderPass::paintCellVolumeBounds(const Model::Automaton::TotalVolume &volume)
{
    VolumeRenderer::drawBounds(volume);
}

} // namespace Ui
