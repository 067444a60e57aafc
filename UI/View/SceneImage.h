#pragma once

#include "UI/View/SceneView.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace Model {
class Document;
namespace Automaton {
class TotalVolume;
}
}

namespace Ui {

// Pictures of a document drawn without a window, on an offscreen OpenGL
// context, with the renderer of the 3D view.
class SceneImage
{
public:
    // The view's standard camera fitted to the volume as "Fit to Volume"
    // fits the window's view; no axis or lamp marks.
    static SceneView framing(const Model::Automaton::TotalVolume &volume, const QSize &size);

    // Needs a QGuiApplication on a platform that offers OpenGL. A null
    // image with the reason when there is no context to draw with.
    static QImage render(Model::Document &document, SceneView view, const QSize &size, QString *problem);

    // Renders and writes in the format the file name's extension implies.
    static bool save(Model::Document &document, const SceneView &view, const QSize &size, const QString &fileName,
                     QString *problem);
};

} // namespace Ui
