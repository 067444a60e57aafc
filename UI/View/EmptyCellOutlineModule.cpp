#include "UI/View/EmptyCellOutlineModule.h"

#include "Model/Geometry/VolumeGeometry.h"
#include "UI/View/QuadDrawing.h"

namespace Ui {

void EmptyCellOutlineModule::drawEdges(const Model::Geometry::VolumeGeometry &geometry) const
{
    if (!geometry.emptyCellOutlines.empty())
        QuadDrawing::drawEdges({&geometry.emptyCellOutlines});
}

} // namespace Ui
