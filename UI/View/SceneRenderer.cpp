#include "UI/View/SceneRenderer.h"

#include "Model/ColourScheme.h"
#include "Model/Document.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/View/SceneView.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace Ui {

void SceneRenderer::initialize()
{
    glShadeModel(GL_SMOOTH);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);

    const GLfloat ambient[] = {0.5f, 0.5f, 0.5f, 1.0f};
    const GLfloat diffuse[] = {0.5f, 0.5f, 0.5f, 1.0f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    for (int light = 1; light < 8; ++light)
        glLightfv(GLenum(GL_LIGHT0 + light), GL_DIFFUSE, diffuse);
    glEnable(GL_LIGHT0);

    const GLfloat materialSpecular[] = {0.5f, 0.5f, 0.5f, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, materialSpecular);
    glMaterialf(GL_FRONT, GL_SHININESS, 64.0f);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
}

void SceneRenderer::resize(SceneView &view, int width, int height)
{
    glViewport(0, 0, width, height);
    view.depth = float(int(std::sqrt(2.0) * std::max(width, height)));
    loadProjection(view, width, height);
    view.grid.minX = view.grid.minY = -300.0f;
    view.grid.maxX = view.grid.maxY = 300.0f;
}

void SceneRenderer::loadProjection(const SceneView &view, int width, int height)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double w = width, h = height, z = view.zoom, d = view.depth;
    glOrtho(-0.5 * w / z, 0.5 * w / z, -0.5 * h / z, 0.5 * h / z, -0.5 * d / z, 0.5 * d / z);
    glMatrixMode(GL_MODELVIEW);
}

void SceneRenderer::loadModelview(const SceneView &view)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view.transform.modelview().data());
}

void SceneRenderer::loadLamps(const SceneView &view)
{
    // Lamps are fixed relative to the viewer, not to the model.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    for (unsigned lamp = 1; lamp <= LampSet::MaxLamps; ++lamp) {
        const GLenum light = GLenum(GL_LIGHT0 + lamp - 1);
        if (lamp <= view.lamps.count()) {
            glLightfv(light, GL_POSITION, view.lamps.position(lamp).data());
            if (view.lamps.isVisible(lamp))
                glEnable(light);
            else
                glDisable(light);
        } else {
            glDisable(light);
        }
    }
    glPopMatrix();
}

void SceneRenderer::paint(const SceneView &view, Model::Document *document)
{
    const Util::Vector4D background = Model::ColourScheme::currentColour(Model::ColourScheme::BackgroundColour);
    glClearColor(GLfloat(background.x), GLfloat(background.y), GLfloat(background.z), 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    if (view.lighting)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
    loadLamps(view);
    loadModelview(view);

    if (view.renderGrid) {
        glDepthMask(GL_FALSE);
        drawGrid(view);
        glDepthMask(GL_TRUE);
    }
    volumeStates().beginFrame();
    if (document)
        document->draw(m_pass, view.renderObjects, view.renderEdges);
    volumeStates().endFrame();
    if (view.showAxis) {
        const auto &d = view.transform.displacement();
        glTranslatef(-d[0], -d[1], -d[2]);
        drawAxis(view);
        glTranslatef(d[0], d[1], d[2]);
    }
    drawLampGlyphs(view);
    if (document && view.showLegend && view.renderObjects)
        drawLegend();
}

void SceneRenderer::drawLegend()
{
    const std::vector<MaterialLegend::Entry> entries = MaterialLegend::entriesOf(
        volumeStates().shownMaterials(), *Model::Materials::MaterialFactory::getInstance());
    const Util::Vector4D b = Model::ColourScheme::currentColour(Model::ColourScheme::BackgroundColour);
    const QColor background = QColor::fromRgbF(qBound(0.0, b.x, 1.0), qBound(0.0, b.y, 1.0), qBound(0.0, b.z, 1.0));
    if (entries != m_legendEntries || background != m_legendBackground) {
        m_legendEntries = entries;
        m_legendBackground = background;
        // GL reads rows from the bottom up.
        m_legendPanel = MaterialLegend::picture(entries, background).mirrored();
    }
    if (m_legendPanel.isNull())
        return;

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = std::min(m_legendPanel.width(), viewport[2] - MaterialLegend::Margin);
    const int top = viewport[3] - MaterialLegend::Margin;
    // A picture too low for the whole panel shows its upper rows.
    const int height = std::min(m_legendPanel.height(), top);
    if (width <= 0 || height <= 0)
        return;

    glPushAttrib(GL_ENABLE_BIT | GL_TRANSFORM_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, viewport[2], 0, viewport[3], -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, m_legendPanel.width());
    glPixelStorei(GL_UNPACK_SKIP_ROWS, m_legendPanel.height() - height);
    glRasterPos2i(MaterialLegend::Margin, top - height);
    glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, m_legendPanel.constBits());
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}

void SceneRenderer::paintForSelection(Model::Document &document)
{
    document.drawForSelection(m_pass);
}

void SceneRenderer::drawGrid(const SceneView &view)
{
    const Util::Vector4D colour = Model::ColourScheme::currentColour(Model::ColourScheme::GridColour);
    glPushAttrib(GL_LIGHTING_BIT);
    glDisable(GL_LIGHTING);
    glColor3d(colour.x, colour.y, colour.z);
    glBegin(GL_LINES);
    for (const auto &line : view.grid.lines()) {
        glVertex3f(line[0], line[1], view.grid.zLevel);
        glVertex3f(line[2], line[3], view.grid.zLevel);
    }
    glEnd();
    glPopAttrib();
}

void SceneRenderer::drawAxis(const SceneView &view)
{
    glDisable(GL_LIGHTING);
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    glColor3f(1, 0, 0);
    glVertex3f(0, 0, 0); glVertex3f(50, 0, 0);
    glVertex3f(50, 0, 0); glVertex3f(45, 0, 5);
    glVertex3f(50, 0, 0); glVertex3f(45, 0, -5);
    glColor3f(0, 1, 0);
    glVertex3f(0, 0, 0); glVertex3f(0, 50, 0);
    glVertex3f(0, 50, 0); glVertex3f(0, 45, 5);
    glVertex3f(0, 50, 0); glVertex3f(0, 45, -5);
    glColor3f(0, 0, 1);
    glVertex3f(0, 0, 0); glVertex3f(0, 0, 50);
    glVertex3f(0, 0, 50); glVertex3f(0, 5, 45);
    glVertex3f(0, 0, 50); glVertex3f(0, -5, 45);
    glEnd();
    glLineWidth(1.0f);
    if (view.lighting)
        glEnable(GL_LIGHTING);
}

void SceneRenderer::drawLampGlyphs(const SceneView &view)
{
    const LampSet &lamps = view.lamps;
    if (lamps.activeLamp() == 0)
        return;
    constexpr int Rays = 16;
    const float twoPi = 2.0f * LampSet::Pi;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    for (unsigned lamp = 1; lamp <= lamps.count(); ++lamp) {
        const auto p = lamps.position(lamp);
        const float x = p[0], y = p[1];
        const float e = std::min(p[2], view.depth);
        const float g = e / 50.0f + 20.0f;
        if (lamp == lamps.activeLamp())
            glColor3f(1, 1, 0);
        else
            glColor3f(1, 1, 1);
        glBegin(GL_LINE_LOOP);
        for (int k = 0; k < Rays; ++k) {
            const float a = float(k) * twoPi / Rays;
            glVertex3f(x + (g / 2 - 2) * std::cos(a), y + (g / 2 - 2) * std::sin(a), e);
        }
        glEnd();
        glBegin(GL_LINES);
        for (int k = 0; k < Rays; ++k) {
            const float a = float(k) * twoPi / Rays;
            glVertex3f(x + g / 2 * std::cos(a), y + g / 2 * std::sin(a), e);
            glVertex3f(x + g * std::cos(a), y + g * std::sin(a), e);
        }
        glEnd();
        if (x < -g || x > g || y < -g || y > g) {
            const float f = std::sqrt(x * x + y * y);
            glEnable(GL_LINE_STIPPLE);
            glLineStipple(8, 0xAAAA);
            glBegin(GL_LINES);
            glVertex3f(0, 0, 0);
            glVertex3f((f - g) * x / f, (f - g) * y / f, e);
            glEnd();
            glDisable(GL_LINE_STIPPLE);
        }
    }
    if (view.lighting)
        glEnable(GL_LIGHTING);
    glPopMatrix();
}

} // namespace Ui
