#pragma once

#include "UI/View/SurfaceModule.h"

namespace Ui {

// The marching-cube surface: smooth, lit by its vertex normals and always
// opaque; it has no edges to outline.
class MarchingCubeModule : public SurfaceModule
{
public:
    void drawOpaque(const Model::Geometry::VolumeGeometry &geometry, bool edges) const override;
    void drawTranslucent(const Model::Geometry::VolumeGeometry &geometry, bool edges) const override;
};

} // namespace Ui
