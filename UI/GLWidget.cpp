#include "UI/GLWidget.h"

#include "Core/Operations/OperationContext.h"
#include "UI/View/ViewFraming.h"

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

GLWidget::GLWidget(QWidget *parent, Core::Operations::OperationContext *context)
    : QGLWidget(requestedFormat(), parent)
    , m_context(context)
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
    m_view.showAxis = on;
    updateGL();
}

void GLWidget::setRotation(float x, float y, float z)
{
    m_view.transform.setRotation(x, y, z);
    emitRotation();
    updateGL();
}

void GLWidget::setScreenPan(float x, float y)
{
    m_view.transform.setScreenPan(x, y);
    emitViewPosition();
}

void GLWidget::setDisplacement(float x, float y, float z)
{
    m_view.transform.setDisplacement(x, y, z);
    emitAxisPosition();
}

void GLWidget::setZoom(float zoom)
{
    m_view.zoom = SceneView::boundedZoom(zoom);
    if (isValid()) {
        makeCurrent();
        SceneRenderer::loadProjection(m_view, width(), height());
        updateTrackball(width(), height());
    }
    emit zoomChanged(m_view.zoom * 100.0f);
    updateGL();
}

bool GLWidget::fitToVolumes()
{
    if (!fitInto(width(), height()))
        return false;
    if (isVisible())
        setZoom(m_view.zoom);
    else
        m_fitPending = true; // the size it is shown at decides the zoom
    return true;
}

bool GLWidget::fitInto(int width, int height)
{
    ViewFraming::Box box;
    if (!m_context || !ViewFraming::cellVolumeBounds(m_context->document().allObjects(), box))
        return false;
    ViewFraming::fit(m_view, box, width, height);
    emitAxisPosition();
    emitViewPosition();
    return true;
}

void GLWidget::initializeGL()
{
    SceneRenderer::initialize();
}

void GLWidget::resizeGL(int width, int height)
{
    if (m_fitPending) {
        m_fitPending = false;
        if (fitInto(width, height))
            emit zoomChanged(m_view.zoom * 100.0f);
    }
    SceneRenderer::resize(m_view, width, height);
    updateTrackball(width, height);
}

void GLWidget::updateTrackball(int width, int height)
{
    m_trackball.setZoom(m_view.zoom);
    m_trackball.setSize(float(width), float(height));
}

void GLWidget::paintGL()
{
    m_renderer.paint(m_view, m_context ? &m_context->document() : nullptr);
}

bool GLWidget::firstHit(int x, int y, std::vector<unsigned> &names)
{
    names.clear();
    if (!m_context || !isValid())
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
    SceneRenderer::loadModelview(m_view);
    glRenderMode(GL_SELECT);
    glInitNames();
    m_renderer.paintForSelection(m_context->document());
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
            if (m_view.lamps.setAngles(m_view.lamps.activeLamp(), azimuth, elevation))
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
            m_view.transform.displaceAlongScreen(dx, dy);
            emitAxisPosition();
        } else {
            m_view.transform.addScreenPan(dx, dy);
            emitViewPosition();
        }
    } else if (event->buttons() & Qt::LeftButton) {
        if (shift) {
            float azimuth = 0, elevation = 0;
            m_trackball.lampAnglesAt(event->x(), event->y(), azimuth, elevation);
            if (m_view.lamps.setAngles(m_view.lamps.activeLamp(), azimuth, elevation))
                emitLampPosition();
        } else {
            Trackball::Point axis{};
            float degrees = 0;
            m_trackball.rotateTo(event->x(), event->y(), axis, degrees);
            m_view.transform.rotateBy(2.0f * degrees, axis);
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
    if (m_pickPending && m_context) {
        Core::Operations::SelectionManager &selection = m_context->selectionManager();
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
        if (m_view.lamps.wheel(c))
            emitLampPosition();
    } else {
        setZoom(a > 0 ? m_view.zoom * (1.0f + c) : m_view.zoom / (1.0f - c));
    }
    updateGL();
    event->accept();
}

void GLWidget::translate(int axis, float delta)
{
    m_view.transform.addDisplacement(axis, delta);
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
    m_view.lamps.switchActiveLamp();
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
    const auto &a = m_view.transform.angles();
    emit rotationChanged(values({a[0], a[1], a[2]}));
}

void GLWidget::emitAxisPosition()
{
    const auto &d = m_view.transform.displacement();
    emit axisPositionChanged(values({d[0], d[1], d[2]}));
}

void GLWidget::emitViewPosition()
{
    const auto &p = m_view.transform.screenPan();
    emit viewPositionChanged(values({p[0], p[1]}));
}

void GLWidget::emitLampPosition()
{
    const unsigned lamp = m_view.lamps.activeLamp();
    emit lampPositionChanged(
        values({float(lamp), m_view.lamps.radius(lamp), m_view.lamps.azimuth(lamp), m_view.lamps.elevation(lamp)}));
}

} // namespace Ui
