#include "UI/View/ViewFraming.h"

#include "Model/Automaton/TotalVolume.h"
#include "UI/View/SceneView.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Ui {

constexpr double ViewFraming::Fill;

ViewFraming::Box ViewFraming::cellVolumeBox(const Model::Automaton::TotalVolume &volume)
{
    const Util::Vector3D p = volume.position();
    Box box;
    box.lower = {p.x, p.y, p.z};
    box.upper = {p.x + double(volume.sizeX()) * volume.cellsizeX(), p.y + double(volume.sizeY()) * volume.cellsizeY(),
                 p.z + double(volume.sizeZ()) * volume.cellsizeZ()};
    return box;
}

bool ViewFraming::cellVolumeBounds(const std::vector<boost::shared_ptr<Model::Object>> &objects, Box &box)
{
    bool found = false;
    for (const auto &object : objects) {
        const auto volume = boost::dynamic_pointer_cast<Model::Automaton::TotalVolume>(object);
        if (!volume)
            continue;
        const Box own = cellVolumeBox(*volume);
        for (std::size_t axis = 0; axis < 3; ++axis) {
            box.lower[axis] = found ? std::min(box.lower[axis], own.lower[axis]) : own.lower[axis];
            box.upper[axis] = found ? std::max(box.upper[axis], own.upper[axis]) : own.upper[axis];
        }
        found = true;
    }
    return found;
}

void ViewFraming::fit(SceneView &view, const Box &box, int width, int height)
{
    std::array<double, 3> centre, half;
    for (std::size_t axis = 0; axis < 3; ++axis) {
        centre[axis] = (box.lower[axis] + box.upper[axis]) / 2;
        half[axis] = std::abs(box.upper[axis] - box.lower[axis]) / 2;
    }
    view.transform.setScreenPan(0.0f, 0.0f);
    view.transform.setDisplacement(float(-centre[0]), float(-centre[1]), float(-centre[2]));
    if (width <= 0 || height <= 0)
        return;

    // Half the box's extent along each screen axis: the rotated corners
    // reach |R| times the half sizes.
    const auto m = view.transform.modelview();
    std::array<double, 3> reach{};
    for (std::size_t row = 0; row < 3; ++row)
        for (std::size_t axis = 0; axis < 3; ++axis)
            reach[row] += std::abs(double(m[axis * 4 + row])) * half[axis];

    const double infinite = std::numeric_limits<double>::infinity();
    auto limit = [infinite](double room, double needed) { return needed > 0 ? room / needed : infinite; };
    // The view box is D / zoom deep, D from the larger side of the picture;
    // a box deeper than that would be cut by the near and far planes.
    const double depth = double(int(std::sqrt(2.0) * std::max(width, height)));
    const double zoom = std::min({limit(Fill * width, 2 * reach[0]), limit(Fill * height, 2 * reach[1]),
                                  limit(depth, 2 * reach[2])});
    view.zoom = SceneView::boundedZoom(std::isinf(zoom) ? SceneView::MaxZoom : float(zoom));
}

} // namespace Ui
