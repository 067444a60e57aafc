#pragma once

#include "UI/View/SurfaceModule.h"

namespace Ui {

// The octree surface: each face outlined in the pass it is drawn in.
class OctreeSurfaceModule : public SurfaceModule
{
public:
    void drawOpaque(const Model::Geometry::VolumeGeometry &geometry, bool edges) const override;
    void drawTranslucent(const Model::Geometry::VolumeGeometry &geometry, bool edges) const override;
};

} // namespace Ui
