// Fitting the view to the scene: the fitted box, seen from the current
// direction, lies inside the picture and between the near and far planes,
// and fills most of the picture along one axis unless the depth forbids.
#include "Model/Automaton/TotalVolume.h"
#include "UI/View/SceneView.h"
#include "UI/View/ViewFraming.h"

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <cmath>

using Ui::SceneView;
using Ui::ViewFraming;

namespace {

struct Picture
{
    double left, right, bottom, top; // pixels, y up
    double nearest, farthest;        // view depth, world units
};

// Where the eight corners of `box` land in a width x height picture.
Picture project(const SceneView &view, const ViewFraming::Box &box, int width, int height)
{
    const auto m = view.transform.modelview();
    Picture p{1e300, -1e300, 1e300, -1e300, 1e300, -1e300};
    for (int corner = 0; corner < 8; ++corner) {
        const double x = corner & 1 ? box.upper[0] : box.lower[0];
        const double y = corner & 2 ? box.upper[1] : box.lower[1];
        const double z = corner & 4 ? box.upper[2] : box.lower[2];
        const double ex = m[0] * x + m[4] * y + m[8] * z + m[12];
        const double ey = m[1] * x + m[5] * y + m[9] * z + m[13];
        const double ez = m[2] * x + m[6] * y + m[10] * z + m[14];
        const double px = width / 2.0 + ex * view.zoom, py = height / 2.0 + ey * view.zoom;
        p.left = std::min(p.left, px);
        p.right = std::max(p.right, px);
        p.bottom = std::min(p.bottom, py);
        p.top = std::max(p.top, py);
        p.nearest = std::min(p.nearest, ez);
        p.farthest = std::max(p.farthest, ez);
    }
    return p;
}

ViewFraming::Box box(double x0, double y0, double z0, double x1, double y1, double z1)
{
    ViewFraming::Box b;
    b.lower = {x0, y0, z0};
    b.upper = {x1, y1, z1};
    return b;
}

} // namespace

TEST(ViewFraming, FittedBoxLiesInsideThePictureAndFillsAtLeastFourFifthsAlongOneAxis)
{
    const ViewFraming::Box boxes[] = {box(0, 0, 0, 100, 100, 80), box(-50, 20, 5, 250, 40, 15),
                                      box(1000, -3000, 200, 1010, -2990, 900), box(0, 0, 0, 0.5, 0.25, 0.1)};
    const float rotations[][3] = {{-60, 0, 30}, {0, 0, 0}, {-90, 0, 0}, {180, 0, 0}, {-90, 0, 90}, {33, -71, 12}};
    const int sizes[][2] = {{800, 600}, {300, 900}, {1024, 768}};
    for (const auto &b : boxes)
        for (const auto &r : rotations)
            for (const auto &size : sizes) {
                SceneView view;
                view.transform.setScreenPan(40, -25);
                view.transform.setRotation(r[0], r[1], r[2]);
                ViewFraming::fit(view, b, size[0], size[1]);
                const Picture p = project(view, b, size[0], size[1]);
                const std::string where = "box from " + std::to_string(b.lower[0]) + ", rotation " +
                                          std::to_string(r[0]) + "/" + std::to_string(r[1]) + "/" +
                                          std::to_string(r[2]) + ", " + std::to_string(size[0]) + "x" +
                                          std::to_string(size[1]);
                EXPECT_EQ(view.transform.angles(), (std::array<float, 3>{r[0], r[1], r[2]})) << where;
                EXPECT_GE(p.left, -0.01) << where;
                EXPECT_LE(p.right, size[0] + 0.01) << where;
                EXPECT_GE(p.bottom, -0.01) << where;
                EXPECT_LE(p.top, size[1] + 0.01) << where;
                const double depth = double(int(std::sqrt(2.0) * std::max(size[0], size[1])));
                EXPECT_GE(p.nearest, -0.5 * depth / view.zoom - 1e-3) << where;
                EXPECT_LE(p.farthest, 0.5 * depth / view.zoom + 1e-3) << where;
                const double fill = std::max((p.right - p.left) / size[0], (p.top - p.bottom) / size[1]);
                const bool asDeepAsTheView = (p.farthest - p.nearest) * view.zoom > 0.999 * depth;
                EXPECT_TRUE(fill >= 0.8 || asDeepAsTheView) << "fills " << fill << ": " << where;
                EXPECT_NEAR((p.left + p.right) / 2, size[0] / 2.0, 0.01) << "centred: " << where;
                EXPECT_NEAR((p.bottom + p.top) / 2, size[1] / 2.0, 0.01) << "centred: " << where;
            }
}

TEST(ViewFraming, VolumesOfEveryDayShapesFillNinetyPercent)
{
    // Wafers and blocks from the standard direction and the standard views.
    for (const auto &b : {box(0, 0, 0, 100, 100, 80), box(0, 0, 0, 400, 300, 20)})
        for (const auto &r : {std::array<float, 3>{-60, 0, 30}, {0, 0, 0}, {-90, 0, 0}}) {
            SceneView view;
            view.transform.setRotation(r[0], r[1], r[2]);
            ViewFraming::fit(view, b, 800, 600);
            const Picture p = project(view, b, 800, 600);
            EXPECT_NEAR(std::max((p.right - p.left) / 800, (p.top - p.bottom) / 600), ViewFraming::Fill, 1e-6);
        }
}

TEST(ViewFraming, DeepBoxSeenEndOnStaysBetweenTheNearAndFarPlanes)
{
    // A tall column seen from the top: its outline alone would allow a zoom
    // at which the view box is far shallower than the column.
    SceneView view;
    view.transform.setRotation(0, 0, 0);
    const ViewFraming::Box column = box(0, 0, 0, 4, 4, 2000);
    ViewFraming::fit(view, column, 800, 600);
    const Picture p = project(view, column, 800, 600);
    const double depth = double(int(std::sqrt(2.0) * 800)); // as the view sets it for this size
    EXPECT_GE(p.nearest, -0.5 * depth / view.zoom - 1e-3);
    EXPECT_LE(p.farthest, 0.5 * depth / view.zoom + 1e-3);
    EXPECT_NEAR(p.farthest - p.nearest, depth / view.zoom, 1e-3) << "as deep as the view allows";
}

TEST(ViewFraming, DegenerateBoxesAndPicturesKeepAUsableZoom)
{
    SceneView view;
    ViewFraming::fit(view, box(5, 5, 5, 5, 5, 5), 800, 600);
    EXPECT_EQ(view.zoom, SceneView::MaxZoom) << "a point cannot be zoomed onto without bound";
    EXPECT_EQ(view.transform.displacement(), (std::array<float, 3>{-5, -5, -5}));

    SceneView unsized;
    unsized.zoom = 2.0f;
    ViewFraming::fit(unsized, box(0, 0, 0, 10, 10, 10), 0, 0);
    EXPECT_EQ(unsized.zoom, 2.0f) << "no picture yet: the zoom waits, the centre moves";
    EXPECT_EQ(unsized.transform.displacement(), (std::array<float, 3>{-5, -5, -5}));
}

TEST(ViewFraming, BoundsCoverEveryCellVolumeAndNothingElse)
{
    std::vector<boost::shared_ptr<Model::Object>> objects;
    ViewFraming::Box bounds;
    EXPECT_FALSE(ViewFraming::cellVolumeBounds(objects, bounds));

    objects.push_back(boost::make_shared<Model::Automaton::TotalVolume>(
        10, 20, 5, 1.0f, 1.0f, 2.0f, Util::Vector3D(-10, 0, 3), std::vector<std::uint32_t>(1000, 1)));
    objects.push_back(boost::make_shared<Model::Automaton::TotalVolume>(
        2, 2, 2, 0.5f, 0.5f, 0.5f, Util::Vector3D(40, -7, 0), std::vector<std::uint32_t>(8, 1)));
    ASSERT_TRUE(ViewFraming::cellVolumeBounds(objects, bounds));
    EXPECT_EQ(bounds.lower, (std::array<double, 3>{-10, -7, 0}));
    EXPECT_EQ(bounds.upper, (std::array<double, 3>{41, 20, 13}));
}

TEST(SceneView, ZoomIsKeptWithinItsBounds)
{
    EXPECT_EQ(SceneView::boundedZoom(1.5f), 1.5f);
    EXPECT_GT(SceneView::MinZoom, 0.0f);
    for (float degenerate : {0.0f, -3.0f, 1e-30f, std::nanf("")})
        EXPECT_EQ(SceneView::boundedZoom(degenerate), SceneView::MinZoom) << degenerate;
    EXPECT_EQ(SceneView::boundedZoom(std::numeric_limits<float>::infinity()), SceneView::MaxZoom);
    // The wheel multiplies by 1.1: from the lower bound it climbs again.
    EXPECT_GT(SceneView::boundedZoom(SceneView::MinZoom * 1.1f), SceneView::MinZoom);
}
