#include "UI/GLWidget.h"

#include "Core/Operations/OperationContext.h"
#include "Model/ColourScheme.h"
#include "UI/MainWindowPresenter.h"

#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QImageWriter>
#include <QMouseEvent>
#include <QShortcut>
#include <QWheelEvent>

#include <GL/glu.h>

#include <cmath>

namespace Ui {

namespace {

constexpr float KeyStep = 5.0f;
constexpr int PickBufferSize = 2048;
constexpr int PickRegion = 4;

std::vector<float> values(std::initializer_list<float> list)
{
    return std::vector<float>(list);
}

} // namespace

GLWidget::GLWidget(QWidget *parent, MainWindowPresenter *presenter)
    : QGLWidget(requestedFormat(), parent)
    , m_presenter(presenter)
    , m_lastImagePath(QDir::homePath())
{
    setObjectName(QStringLiteral("GLWidget"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    warnAboutMissingCapabilities();

    struct Binding { Qt::Key key; void (GLWidget::*slot)(); };
    const Binding bindings[] = {
        {Qt::Key_Q, &GLWidget::increaseTranslateX}, {Qt::Key_W, &GLWidget::increaseTranslateY},
        {Qt::Key_E, &GLWidget::increaseTranslateZ}, {Qt::Key_A, &GLWidget::decreaseTranslateX},
        {Qt::Key_S, &GLWidget::decreaseTranslateY}, {Qt::Key_D, &GLWidget::decreaseTranslateZ},
        {Qt::Key_L, &GLWidget::swithActiveLamp},
    };
    QWidget *owner = parent ? parent : this;
    for (const Binding &binding : bindings)
        connect(new QShortcut(QKeySequence(binding.key), owner), &QShortcut::activated, this, binding.slot);
    m_transform.setRotation(-60.0f, 0.0f, 30.0f);
}

QGLFormat GLWidget::requestedFormat()
{
    QGLFormat format;
    format.setDoubleBuffer(true);
    format.setDepth(true);
    format.setRgba(true);
    format.setAlpha(true);
    format.setDirectRendering(true);
    format.setAccum(false);
    format.setStencil(false);
    format.setStereo(false);
    format.setOverlay(false);
    format.setSampleBuffers(false);
    return format;
}

void GLWidget::warnAboutMissingCapabilities()
{
    const QGLFormat obtained = format();
    if (!obtained.doubleBuffer())
        qWarning() << "Could not get double buffer; results will be suboptimal";
    if (!obtained.alpha())
        qWarning() << "Could not get alpha channel; results will be suboptimal";
    if (!obtained.depth())
        qWarning() << "Could not get depth buffer; results will be suboptimal";
    if (!obtained.rgba())
        qWarning() << "Could not get rgba mode; results will be suboptimal";
    if (!obtained.directRendering())
        qWarning() << "Could not get direct rendering; results will be suboptimal";
}

void GLWidget::setShowAxis(bool on)
{
    m_showAxis = on;
    updateGL();
}

void GLWidget::setRotation(float x, float y, float z)
{
    m_transform.setRotation(x, y, z);
    emitRotation();
    updateGL();
}

void GLWidget::setScreenPan(float x, float y)
{
    m_transform.setScreenPan(x, y);
    emitViewPosition();
}

void GLWidget::setDisplacement(float x, float y, float z)
{
    m_transform.setDisplacement(x, y, z);
    emitAxisPosition();
}

void GLWidget::setZoom(float zoom)
{
    m_zoom = zoom;
    if (isValid()) {
        makeCurrent();
        loadProjection(width(), height());
    }
    emit zoomChanged(m_zoom * 100.0f);
    updateGL();
}

void GLWidget::initializeGL()
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

void GLWidget::resizeGL(int width, int height)
{
    glViewport(0, 0, width, height);
    m_depth = float(int(std::sqrt(2.0) * std::max(width, height)));
    loadProjection(width, height);
    m_grid.minX = m_grid.minY = -300.0f;
    m_grid.maxX = m_grid.maxY = 300.0f;
}

void GLWidget::loadProjection(int width, int height)
{
    m_trackball.setZoom(m_zoom);
    m_trackball.setSize(float(width), float(height));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double w = width, h = height, z = m_zoom, d = m_depth;
    glOrtho(-0.5 * w / z, 0.5 * w / z, -0.5 * h / z, 0.5 * h / z, -0.5 * d / z, 0.5 * d / z);
    glMatrixMode(GL_MODELVIEW);
}

void GLWidget::loadModelview()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(m_transform.modelview().data());
}

void GLWidget::loadLamps()
{
    // Lamps are fixed relative to the viewer, not to the model.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    for (unsigned lamp = 1; lamp <= LampSet::MaxLamps; ++lamp) {
        const GLenum light = GLenum(GL_LIGHT0 + lamp - 1);
        if (lamp <= m_lamps.count()) {
            glLightfv(light, GL_POSITION, m_lamps.position(lamp).data());
            if (m_lamps.isVisible(lamp))
                glEnable(light);
            else
                glDisable(light);
        } else {
            glDisable(light);
        }
    }
    glPopMatrix();
}

void GLWidget::paintGL()
{
    const Util::Vector4D background = Model::ColourScheme::currentColour(Model::ColourScheme::BackgroundColour);
    glClearColor(GLfloat(background.x), GLfloat(background.y), GLfloat(background.z), 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    if (m_lighting)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
    loadLamps();
    loadModelview();

    if (m_renderGrid) {
        glDepthMask(GL_FALSE);
        drawGrid();
        glDepthMask(GL_TRUE);
    }
    if (m_presenter)
        m_presenter->context().document().draw(m_pass, m_renderObjects, m_renderEdges);
    if (m_showAxis) {
        const auto &d = m_transform.displacement();
        glTranslatef(-d[0], -d[1], -d[2]);
        drawAxis();
        glTranslatef(d[0], d[1], d[2]);
    }
    drawLampGlyphs();
}

void GLWidget::drawGrid()
{
    const Util::Vector4D colour = Model::ColourScheme::currentColour(Model::ColourScheme::GridColour);
    glPushAttrib(GL_LIGHTING_BIT);
    glDisable(GL_LIGHTING);
    glColor3d(colour.x, colour.y, colour.z);
    glBegin(GL_LINES);
    for (const auto &line : m_grid.lines()) {
        glVertex3f(line[0], line[1], m_grid.zLevel);
        glVertex3f(line[2], line[3], m_grid.zLevel);
    }
    glEnd();
    glPopAttrib();
}

void GLWidget::drawAxis()
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
    if (m_lighting)
        glEnable(GL_LIGHTING);
}

void GLWidget::drawLampGlyphs()
{
    if (m_lamps.activeLamp() == 0)
        return;
    constexpr int Rays = 16;
    const float twoPi = 2.0f * LampSet::Pi;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    for (unsigned lamp = 1; lamp <= m_lamps.count(); ++lamp) {
        const auto p = m_lamps.position(lamp);
        const float x = p[0], y = p[1];
        const float e = std::min(p[2], m_depth);
        const float g = e / 50.0f + 20.0f;
        if (lamp == m_lamps.activeLamp())
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
    if (m_lighting)
        glEnable(GL_LIGHTING);
    glPopMatrix();
}

bool GLWidget::firstHit(int x, int y, std::vector<unsigned> &names)
{
    names.clear();
    if (!m_presenter || !isValid())
        return false;
    makeCurrent();
    GLuint buffer[PickBufferSize] = {};
    GLint viewport[4];
    GLdouble projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glSelectBuffer(PickBufferSize, buffer);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(x, viewport[1] + viewport[3] - y, PickRegion, PickRegion, viewport);
    glMultMatrixd(projection);
    loadModelview();
    glRenderMode(GL_SELECT);
    glInitNames();
    m_presenter->context().document().drawForSelection(m_pass);
    const GLint hits = glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    if (hits <= 0)
        return false;
    // First record: name count, minimum and maximum depth, then the names.
    const GLuint count = std::min<GLuint>(buffer[0], PickBufferSize - 3);
    names.assign(buffer + 3, buffer + 3 + count);
    return true;
}

void GLWidget::mousePressEvent(QMouseEvent *event)
{
    if (!event)
        return;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    m_pressed = true;
    if (event->buttons() & Qt::RightButton) {
        m_trackball.press(Trackball::PanMode, event->x(), event->y());
        shift ? emitAxisPosition() : emitViewPosition();
    } else if (event->buttons() & Qt::LeftButton) {
        if (shift) {
            m_trackball.press(Trackball::LampMode, event->x(), event->y());
            float azimuth = 0, elevation = 0;
            m_trackball.lampAnglesAt(event->x(), event->y(), azimuth, elevation);
            if (m_lamps.setAngles(m_lamps.activeLamp(), azimuth, elevation))
                emitLampPosition();
        } else {
            m_pickPending = true;
            m_trackball.press(Trackball::RotateMode, event->x(), event->y());
            emitRotation();
        }
    }
    event->accept();
}

void GLWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!event || !m_pressed) {
        if (event)
            event->accept();
        return;
    }
    m_pickPending = false;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (event->buttons() & Qt::RightButton) {
        float dx = 0, dy = 0;
        m_trackball.panTo(event->x(), event->y(), dx, dy);
        if (shift) {
            m_transform.displaceAlongScreen(dx, dy);
            emitAxisPosition();
        } else {
            m_transform.addScreenPan(dx, dy);
            emitViewPosition();
        }
    } else if (event->buttons() & Qt::LeftButton) {
        if (shift) {
            float azimuth = 0, elevation = 0;
            m_trackball.lampAnglesAt(event->x(), event->y(), azimuth, elevation);
            if (m_lamps.setAngles(m_lamps.activeLamp(), azimuth, elevation))
                emitLampPosition();
        } else {
            Trackball::Point axis{};
            float degrees = 0;
            m_trackball.rotateTo(event->x(), event->y(), axis, degrees);
            m_transform.rotateBy(2.0f * degrees, axis);
            emitRotation();
        }
    }
    updateGL();
    event->accept();
}

void GLWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (!event)
        return;
    m_pressed = false;
    if (m_pickPending && m_presenter) {
        Core::Operations::SelectionManager &selection = m_presenter->context().selectionManager();
        if (selection.mode() && selection.pickAt(event->x(), event->y(), *this))
            updateGL();
    }
    m_pickPending = false;
    event->accept();
}

void GLWidget::wheelEvent(QWheelEvent *event)
{
    if (!event)
        return;
    const float a = float(event->angleDelta().y());
    const float c = a / 1200.0f;
    if (event->modifiers() & Qt::ShiftModifier) {
        if (m_lamps.wheel(c))
            emitLampPosition();
    } else {
        setZoom(a > 0 ? m_zoom * (1.0f + c) : m_zoom / (1.0f - c));
    }
    updateGL();
    event->accept();
}

void GLWidget::translate(int axis, float delta)
{
    m_transform.addDisplacement(axis, delta);
    updateGL();
    emitAxisPosition();
}

void GLWidget::increaseTranslateX() { translate(0, KeyStep); }
void GLWidget::increaseTranslateY() { translate(1, KeyStep); }
void GLWidget::increaseTranslateZ() { translate(2, KeyStep); }
void GLWidget::decreaseTranslateX() { translate(0, -KeyStep); }
void GLWidget::decreaseTranslateY() { translate(1, -KeyStep); }
void GLWidget::decreaseTranslateZ() { translate(2, -KeyStep); }

void GLWidget::swithActiveLamp()
{
    m_lamps.switchActiveLamp();
    updateGL();
}

bool GLWidget::saveImage(const QString &filename, QString *error)
{
    QString target = filename;
    if (target.isEmpty()) {
        target = QFileDialog::getSaveFileName(this, tr("Save Screen Image"), m_lastImagePath,
                                              tr("Images (*.png *.xpm *.jpg)"), nullptr,
                                              QFileDialog::DontUseNativeDialog);
        if (target.isEmpty())
            return false;
        m_lastImagePath = target;
    }
    // The front buffer is not reliably readable (virtual and composited
    // displays return black): draw the frame afresh and read it from the
    // back buffer before it is shown.
    makeCurrent();
    paintGL();
    glReadBuffer(GL_BACK);
    const QImage image = grabFrameBuffer(false);
    QImageWriter writer(target);
    if (!writer.write(image)) {
        if (error)
            *error = writer.errorString();
        return false;
    }
    return true;
}

void GLWidget::emitRotation()
{
    const auto &a = m_transform.angles();
    emit rotationChanged(values({a[0], a[1], a[2]}));
}

void GLWidget::emitAxisPosition()
{
    const auto &d = m_transform.displacement();
    emit axisPositionChanged(values({d[0], d[1], d[2]}));
}

void GLWidget::emitViewPosition()
{
    const auto &p = m_transform.screenPan();
    emit viewPositionChanged(values({p[0], p[1]}));
}

void GLWidget::emitLampPosition()
{
    const unsigned lamp = m_lamps.activeLamp();
    emit lampPositionChanged(
        values({float(lamp), m_lamps.radius(lamp), m_lamps.azimuth(lamp), m_lamps.elevation(lamp)}));
}

} // namespace Ui
