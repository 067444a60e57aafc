#include "UI/View/SceneView.h"

#include <cmath>

namespace Ui {

constexpr float SceneView::MinZoom;
constexpr float SceneView::MaxZoom;

float SceneView::boundedZoom(float zoom)
{
    if (std::isnan(zoom) || zoom < MinZoom)
        return MinZoom;
    return zoom > MaxZoom ? MaxZoom : zoom;
}

} // namespace Ui
