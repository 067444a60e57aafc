#pragma once

#include "UI/View/GlRenderPass.h"
#include "UI/View/MaterialLegend.h"

#include <QColor>
#include <QImage>

#include <vector>

namespace Model {
class Document;
}

namespace Ui {

struct SceneView;

// Draws a document as the 3D view shows it, with the fixed-function
// pipeline of the current OpenGL context: background, lamps, grid, the
// objects, the axis glyph, the lamp glyphs and the material legend.
class SceneRenderer
{
public:
    // The state every frame relies on; once per new context.
    static void initialize();
    // Viewport, view depth and projection for a picture of that size.
    static void resize(SceneView &view, int width, int height);
    static void loadProjection(const SceneView &view, int width, int height);
    static void loadModelview(const SceneView &view);

    void paint(const SceneView &view, Model::Document *document);
    // The selection pass of the document's objects.
    void paintForSelection(Model::Document &document);

    // What this renderer keeps of the cell volumes it has drawn.
    VolumeRenderStates &volumeStates() { return m_pass.volumes().states(); }
    const VolumeRenderStates &volumeStates() const { return m_pass.volumes().states(); }

private:
    static void loadLamps(const SceneView &view);
    static void drawGrid(const SceneView &view);
    static void drawAxis(const SceneView &view);
    static void drawLampGlyphs(const SceneView &view);
    void drawLegend();

    GlRenderPass m_pass;
    // The legend's panel, drawn again only when its entries or the
    // background change.
    std::vector<MaterialLegend::Entry> m_legendEntries;
    QColor m_legendBackground;
    QImage m_legendPanel;
};

} // namespace Ui
