#include "UI/View/MaskOverlayModule.h"

#include "Model/Geometry/MaskOverlay.h"

#include <GL/gl.h>

namespace Ui {

void MaskOverlayModule::draw(const Model::Automaton::TotalVolume &volume) const
{
    using Model::Geometry::MaskOverlay;
    const MaskOverlay overlays[2] = {MaskOverlay::bottomOf(volume), MaskOverlay::topOf(volume)};
    glDisable(GL_CULL_FACE);
    glColor4f(0.2f, 0.8f, 0.2f, 0.3f);
    glBegin(GL_QUADS);
    for (const MaskOverlay &overlay : overlays) {
        const float z = overlay.height;
        for (const MaskOverlay::Rectangle &r : overlay.rectangles) {
            glVertex3f(r[0], r[1], z);
            glVertex3f(r[2], r[1], z);
            glVertex3f(r[2], r[3], z);
            glVertex3f(r[0], r[3], z);
        }
    }
    glEnd();
    glEnable(GL_CULL_FACE);
}

} // namespace Ui
