#pragma once

namespace Model {
namespace Geometry {
struct AtomGeometry;
}
}

namespace Ui {

class AtomBuffers;

// Draws the atomistic view of a volume from its buffers: one sphere mesh
// placed at every atom, the bonds as lines and the unit-cell outlines in
// the opaque pass; the translucent unit-cell boxes in the blended pass.
class AtomModule
{
public:
    void drawOpaque(const Model::Geometry::AtomGeometry &geometry, const AtomBuffers &buffers) const;
    void drawTranslucent(const Model::Geometry::AtomGeometry &geometry, const AtomBuffers &buffers) const;
};

} // namespace Ui
