#include "UI/View/AtomBuffers.h"

#include "Model/Geometry/AtomGeometry.h"
#include "Model/Geometry/GeodesicSphere.h"
#include "Util/DebugLog.h"

#include <QDebug>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <vector>

namespace Ui {

namespace {

constexpr float AtomRadius = 0.1f;

// A new buffer holding `bytes` bytes from `data`.
GLuint load(QOpenGLFunctions &gl, const void *data, std::size_t bytes)
{
    GLuint buffer = 0;
    gl.glGenBuffers(1, &buffer);
    gl.glBindBuffer(GL_ARRAY_BUFFER, buffer);
    gl.glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
    return buffer;
}

void release(QOpenGLFunctions &gl, GLuint &buffer)
{
    if (buffer)
        gl.glDeleteBuffers(1, &buffer);
    buffer = 0;
}

} // namespace

AtomBuffers::~AtomBuffers()
{
    if (m_context && QOpenGLContext::currentContext() == m_context)
        releaseAll(m_context->functions());
}

void AtomBuffers::releaseAll(QOpenGLFunctions *gl)
{
    if (gl) {
        for (GLuint *buffer : {&m_sphere, &m_unitCell, &m_links, &m_outlines})
            release(*gl, *buffer);
    }
    m_sphere = m_unitCell = m_links = m_outlines = 0;
    m_sphereVertices = m_unitCellVertices = m_linkVertices = m_outlineVertices = 0;
}

void AtomBuffers::update(const Model::Geometry::AtomGeometry &geometry, std::uint64_t build)
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    if (!context) {
        // Nothing can be drawn without a context; the next update that finds
        // one makes the buffers again.
        m_parts = Model::Automaton::AtomViewFlags{false, m_parts.surfaceAtomsOnly, false, false, false};
        m_built = false;
        return;
    }
    if (context != m_context) {
        // Buffers of another context mean nothing here.
        releaseAll(nullptr);
        m_context = context;
        m_built = false;
    }
    if (m_built && build == m_build)
        return;
    QOpenGLFunctions &gl = *context->functions();
    buildAtoms(geometry, gl);
    buildUnitCells(geometry, gl);
    gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
    m_parts = geometry.parts;
    m_build = build;
    m_built = true;
}

void AtomBuffers::buildAtoms(const Model::Geometry::AtomGeometry &geometry, QOpenGLFunctions &gl)
{
    release(gl, m_links);
    m_linkVertices = 0;
    if (geometry.parts.atoms && !m_sphere) {
        // Positions scaled to the atom's size, then the unit positions
        // again as the normals.
        const auto &sphere = Model::Geometry::GeodesicSphere::triangles();
        std::vector<float> data;
        data.reserve(sphere.size() * 6);
        for (const auto &point : sphere)
            for (float c : point)
                data.push_back(c * AtomRadius);
        for (const auto &point : sphere)
            data.insert(data.end(), point.begin(), point.end());
        m_sphere = load(gl, data.data(), data.size() * sizeof(float));
        m_sphereVertices = GLsizei(sphere.size());
    }
    if (geometry.parts.atomLinks && !geometry.bondVertices.empty()) {
        m_links = load(gl, geometry.bondVertices.data(), geometry.bondVertices.size() * sizeof(geometry.bondVertices[0]));
        m_linkVertices = GLsizei(geometry.bondVertices.size());
    }
}

void AtomBuffers::buildUnitCells(const Model::Geometry::AtomGeometry &geometry, QOpenGLFunctions &gl)
{
    release(gl, m_outlines);
    m_outlineVertices = 0;
    if (geometry.parts.unitCells && !m_unitCell && !geometry.unitCellTriangles.empty()) {
        m_unitCell = load(gl, geometry.unitCellTriangles.data(),
                          geometry.unitCellTriangles.size() * sizeof(geometry.unitCellTriangles[0]));
        m_unitCellVertices = GLsizei(geometry.unitCellTriangles.size());
    }
    if (geometry.parts.unitCellOutlines && !geometry.outlineVertices.empty()) {
        m_outlines = load(gl, geometry.outlineVertices.data(),
                          geometry.outlineVertices.size() * sizeof(geometry.outlineVertices[0]));
        m_outlineVertices = GLsizei(geometry.outlineVertices.size());
    }
}

} // namespace Ui
