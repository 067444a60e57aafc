#pragma once

#include "Core/Operations/IPickPass.h"
#include "UI/View/SceneRenderer.h"
#include "UI/View/SceneView.h"
#include "UI/View/Trackball.h"

#include <QGLWidget>
#include <QString>

#include <vector>

class QShortcut;

namespace Core {
namespace Operations {
class OperationContext;
}
}

namespace Ui {

// The main window's 3D view: an orthographic picture of the document's
// objects with a trackball camera, lamps, a ground grid and an axis glyph.
// Mouse and keys move the camera, the lamps and the selection; every change
// is reported through the signals, which the status bar shows.
class GLWidget : public QGLWidget, public Core::Operations::IPickPass
{
    Q_OBJECT

public:
    // Shows the document of `context` and picks through its selection.
    GLWidget(QWidget *parent, Core::Operations::OperationContext *context);

    void setLighting(bool on) { m_view.lighting = on; }
    void setRenderObjects(bool on) { m_view.renderObjects = on; }
    void setRenderObjectEdges(bool on) { m_view.renderEdges = on; }
    void setRenderGrid(bool on) { m_view.renderGrid = on; }
    void setShowAxis(bool on);
    void setShowLegend(bool on) { m_view.showLegend = on; }
    bool lighting() const { return m_view.lighting; }
    bool renderObjects() const { return m_view.renderObjects; }
    bool renderObjectEdges() const { return m_view.renderEdges; }
    bool renderGrid() const { return m_view.renderGrid; }
    bool showAxis() const { return m_view.showAxis; }
    bool showLegend() const { return m_view.showLegend; }

    // Sets the rotation angles (degrees) and redraws.
    void setRotation(float x, float y, float z);
    void setScreenPan(float x, float y);
    void setDisplacement(float x, float y, float z);
    // Sets the zoom (kept within the view's bounds), rebuilds the
    // projection and redraws.
    void setZoom(float zoom);

    // "Fit to Volume": centres and zooms on every cell volume of the
    // document, keeping the direction of view; false when there is none.
    // A view not shown yet fits once it has its size.
    bool fitToVolumes();

    const ViewTransform &viewTransform() const { return m_view.transform; }
    LampSet &lamps() { return m_view.lamps; }
    const LampSet &lamps() const { return m_view.lamps; }
    ViewGrid &grid() { return m_view.grid; }
    float zoom() const { return m_view.zoom; }
    float depthExtent() const { return m_view.depth; }

    // Saves what the view shows, in the format the file name's extension
    // implies. An empty name asks for one first; false when nothing was
    // saved (cancelled or unwritable; `error` then says why, if anything).
    bool saveImage(const QString &filename, QString *error = nullptr);
    QString lastImagePath() const { return m_lastImagePath; }

    // The selection pass of a pick at window position (x, y).
    bool firstHit(int x, int y, std::vector<unsigned> &names) override;

    // What the view keeps of the cell volumes it has drawn.
    const VolumeRenderStates &volumeStates() const { return m_renderer.volumeStates(); }

signals:
    void rotationChanged(std::vector<float> vector3d);
    void axisPositionChanged(std::vector<float> vector3d);
    void viewPositionChanged(std::vector<float> vector2d);
    void zoomChanged(float value);
    void lampPositionChanged(std::vector<float> vector4d);

public slots:
    void increaseTranslateX();
    void increaseTranslateY();
    void increaseTranslateZ();
    void decreaseTranslateX();
    void decreaseTranslateY();
    void decreaseTranslateZ();
    void swithActiveLamp();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    static QGLFormat requestedFormat();
    void warnAboutMissingCapabilities();
    void updateTrackball(int width, int height);
    bool fitInto(int width, int height);
    void translate(int axis, float delta);
    void emitRotation();
    void emitAxisPosition();
    void emitViewPosition();
    void emitLampPosition();

    SceneView m_view;
    Core::Operations::OperationContext *m_context;
    Trackball m_trackball;
    bool m_pressed = false;
    bool m_pickPending = false;
    bool m_fitPending = false;
    SceneRenderer m_renderer;
    QString m_lastImagePath;
};

} // namespace Ui
