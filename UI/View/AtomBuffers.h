#pragma once

#include "Model/Automaton/VolumeViewOptions.h"

#include <QPointer>
#include <qopengl.h>

#include <cstdint>

class QOpenGLContext;
class QOpenGLFunctions;

namespace Model {
namespace Geometry {
struct AtomGeometry;
}
}

namespace Ui {

// The vertex buffers one view keeps of a volume's atomistic view, in the
// OpenGL context of that view: the sphere every atom is drawn with and the
// unit-cell box (both made once), the bonds and the unit-cell outlines
// (made anew with each build). They are made in the paint pass, where the
// view's context is current; steps run on other threads and never touch
// them.
class AtomBuffers
{
public:
    AtomBuffers() = default;
    AtomBuffers(const AtomBuffers &) = delete;
    AtomBuffers &operator=(const AtomBuffers &) = delete;
    // Deletes the buffers when their context is current; otherwise that
    // context is going away and takes them along.
    ~AtomBuffers();

    // Brings the buffers up to `geometry`, the `build`th of its volume. With
    // no current context no buffer can be made: every part is switched off
    // until an update finds one.
    void update(const Model::Geometry::AtomGeometry &geometry, std::uint64_t build);

    // The parts that can be drawn now.
    const Model::Automaton::AtomViewFlags &parts() const { return m_parts; }
    GLuint sphere() const { return m_sphere; }
    GLsizei sphereVertices() const { return m_sphereVertices; }
    GLuint unitCell() const { return m_unitCell; }
    GLsizei unitCellVertices() const { return m_unitCellVertices; }
    GLuint links() const { return m_links; }
    GLsizei linkVertices() const { return m_linkVertices; }
    GLuint outlines() const { return m_outlines; }
    GLsizei outlineVertices() const { return m_outlineVertices; }

private:
    void buildAtoms(const Model::Geometry::AtomGeometry &geometry, QOpenGLFunctions &gl);
    void buildUnitCells(const Model::Geometry::AtomGeometry &geometry, QOpenGLFunctions &gl);
    void releaseAll(QOpenGLFunctions *gl);

    QPointer<QOpenGLContext> m_context;
    bool m_built = false;
    std::uint64_t m_build = 0;
    Model::Automaton::AtomViewFlags m_parts{false, true, false, false, false};
    GLuint m_sphere = 0;
    GLsizei m_sphereVertices = 0;
    GLuint m_unitCell = 0;
    GLsizei m_unitCellVertices = 0;
    GLuint m_links = 0;
    GLsizei m_linkVertices = 0;
    GLuint m_outlines = 0;
    GLsizei m_outlineVertices = 0;
};

} // namespace Ui
