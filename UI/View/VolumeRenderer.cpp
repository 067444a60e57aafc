#include "UI/View/VolumeRenderer.h"

#include "Model/Automaton/TotalVolume.h"

#include <GL/gl.h>

namespace Ui {

using Model::Automaton::SurfaceGenerationAlgorithm;

const SurfaceModule *VolumeRenderer::surfaceModule(SurfaceGenerationAlgorithm algorithm) const
{
    switch (algorithm) {
    case SurfaceGenerationAlgorithm::DirectCubic: return &m_cubicFaces;
    case SurfaceGenerationAlgorithm::OctreeSurface: return &m_octreeSurface;
    case SurfaceGenerationAlgorithm::MarchingCubes: return &m_marchingCubes;
    }
    return &m_cubicFaces;
}

void VolumeRenderer::draw(Model::Automaton::TotalVolume &volume, bool renderObjects, bool renderEdges)
{
    if (!renderObjects) {
        m_states.keep(volume);
        return;
    }
    const VolumeRenderState *state = m_states.show(volume);
    if (!state)
        return;
    const Model::Geometry::VolumeGeometry &geometry = state->geometry();
    const SurfaceModule *surface = surfaceModule(state->options().algorithm);
    const Util::Vector3D p = volume.position();
    const Util::Vector3D preview = volume.isMoving() ? volume.previewDisplacement() : Util::Vector3D();
    glPushMatrix();
    glTranslated(p.x + preview.x, p.y + preview.y, p.z + preview.z);
    AtomBuffers &atomBuffers = state->atomBuffers();
    atomBuffers.update(geometry.atoms, state->builds());
    m_atoms.drawOpaque(geometry.atoms, atomBuffers);
    surface->drawOpaque(geometry, renderEdges);
    if (renderEdges)
        m_emptyCellOutlines.drawEdges(geometry);

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    m_atoms.drawTranslucent(geometry.atoms, atomBuffers);
    surface->drawTranslucent(geometry, renderEdges);
    m_maskOverlays.draw(volume);
    glPopAttrib();
    glPopMatrix();
}

void VolumeRenderer::drawBounds(const Model::Automaton::TotalVolume &volume)
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
