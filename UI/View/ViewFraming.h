#pragma once

#include <boost/shared_ptr.hpp>

#include <array>
#include <vector>

namespace Model {
class Object;
namespace Automaton {
class TotalVolume;
}
}

namespace Ui {

struct SceneView;

// Centring and zooming a view on a box of the scene, without a GL context:
// "Fit to Volume" in the window and the framing of batch pictures share it.
class ViewFraming
{
public:
    // The share of the picture the fitted box spans along its tighter axis.
    static constexpr double Fill = 0.9;

    struct Box
    {
        std::array<double, 3> lower{};
        std::array<double, 3> upper{};
    };

    static Box cellVolumeBox(const Model::Automaton::TotalVolume &volume);
    // The box around every cell volume among `objects`, in world units;
    // false when there is none.
    static bool cellVolumeBounds(const std::vector<boost::shared_ptr<Model::Object>> &objects, Box &box);

    // Keeps the rotation; moves the box's centre to the middle of a
    // picture of width x height pixels and zooms so that the box, seen from
    // the current direction, fills `Fill` of the picture along one axis and
    // stays inside it along the other and within the view's depth.
    static void fit(SceneView &view, const Box &box, int width, int height);
};

} // namespace Ui
