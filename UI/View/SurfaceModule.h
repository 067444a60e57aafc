#pragma once

namespace Model {
namespace Geometry {
struct VolumeGeometry;
}
}

namespace Ui {

// Draws one surface representation of a cell volume from its mesh data, in
// the two passes of a frame. The volume renderer picks the module of the
// volume's surface generation algorithm.
class SurfaceModule
{
public:
    virtual ~SurfaceModule() = default;
    // With depth writes, before anything translucent; `edges` adds the
    // outlines of the faces.
    virtual void drawOpaque(const Model::Geometry::VolumeGeometry &geometry, bool edges) const = 0;
    // Blended, without depth writes, after every opaque part of the volume.
    virtual void drawTranslucent(const Model::Geometry::VolumeGeometry &geometry, bool edges) const = 0;
};

} // namespace Ui
