#include "UI/View/SceneImage.h"

#include "Model/Automaton/TotalVolume.h"
#include "UI/View/SceneRenderer.h"
#include "UI/View/ViewFraming.h"

#include <QGuiApplication>
#include <QImageWriter>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

namespace Ui {

namespace {

// The view clears to a transparent background and shows it opaque: read
// the pixels as they are and drop the alpha channel rather than
// un-premultiplying them to black.
QImage opaque(const QImage &image)
{
    if (image.format() != QImage::Format_ARGB32_Premultiplied && image.format() != QImage::Format_ARGB32)
        return image.convertToFormat(QImage::Format_RGB32);
    return QImage(image.constBits(), image.width(), image.height(), image.bytesPerLine(), QImage::Format_RGB32).copy();
}

} // namespace

SceneView SceneImage::framing(const Model::Automaton::TotalVolume &volume, const QSize &size)
{
    SceneView view;
    ViewFraming::fit(view, ViewFraming::cellVolumeBox(volume), size.width(), size.height());
    // A picture of the product: without the axis glyph and the marks of
    // the lamp the mouse would move.
    view.showAxis = false;
    while (view.lamps.activeLamp() != 0)
        view.lamps.switchActiveLamp();
    return view;
}

QImage SceneImage::render(Model::Document &document, SceneView view, const QSize &size, QString *problem)
{
    auto refuse = [problem](const char *why) {
        if (problem)
            *problem = QString::fromLatin1(why);
        return QImage();
    };
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return refuse("no OpenGL context is available (no display)");
    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext context;
    if (!surface.isValid() || !context.create() || !context.makeCurrent(&surface))
        return refuse("no OpenGL context could be created");
    QImage image;
    {
        QOpenGLFramebufferObject frame(size, QOpenGLFramebufferObject::CombinedDepthStencil);
        if (!frame.isValid() || !frame.bind()) {
            context.doneCurrent();
            return refuse("the OpenGL driver offers no framebuffer of that size");
        }
        SceneRenderer::initialize();
        SceneRenderer::resize(view, size.width(), size.height());
        SceneRenderer renderer;
        renderer.paint(view, &document);
        image = opaque(frame.toImage());
        frame.release();
    }
    context.doneCurrent();
    return image;
}

bool SceneImage::save(Model::Document &document, const SceneView &view, const QSize &size, const QString &fileName,
                      QString *problem)
{
    const QImage image = render(document, view, size, problem);
    if (image.isNull())
        return false;
    QImageWriter writer(fileName);
    if (writer.write(image))
        return true;
    if (problem)
        *problem = QStringLiteral("%1: %2").arg(fileName, writer.errorString());
    return false;
}

} // namespace Ui
