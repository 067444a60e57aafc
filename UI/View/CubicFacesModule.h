#pragma once

#include "UI/View/SurfaceModule.h"

namespace Ui {

// The direct cubic surface: its edge pass outlines the translucent faces
// too, so that the cells inside a translucent film can be told apart.
class CubicFacesModule : public SurfaceModule
{
public:
    void drawOpaque(const Model::Geometry::VolumeGeometry &geometry, bool edges) const override;
    void drawTranslucent(const Model::Geometry::VolumeGeometry &geometry, bool edges) const override;
};

} // namespace Ui
