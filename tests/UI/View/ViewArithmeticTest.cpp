// The camera, lamp, grid and trackball arithmetic of the view, checked
// without a GL context against hand-computed values.
#include "UI/View/LampSet.h"
#include "UI/View/Matrix4.h"
#include "UI/View/Trackball.h"
#include "UI/View/ViewGrid.h"
#include "UI/View/ViewTransform.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Ui;

namespace {

// Transforms a point by a column-major matrix.
std::array<float, 3> apply(const std::array<float, 16> &m, float x, float y, float z)
{
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}

} // namespace

TEST(ViewTransform, StandardViewsLookAlongTheirAxes)
{
    ViewTransform view;
    view.setRotation(0, 0, 0); // top: z points at the viewer
    auto p = apply(view.modelview(), 0, 0, 1);
    EXPECT_NEAR(p[2], 1.0f, 1e-6);

    view.setRotation(-90, 0, 0); // front: y points into the screen, z up
    p = apply(view.modelview(), 0, 0, 1);
    EXPECT_NEAR(p[1], 1.0f, 1e-6);
    p = apply(view.modelview(), 0, 1, 0);
    EXPECT_NEAR(p[2], -1.0f, 1e-6);
    EXPECT_EQ(view.angles(), (std::array<float, 3>{-90, 0, 0}));
}

TEST(ViewTransform, PanMovesThePictureAlongTheScreenAxes)
{
    ViewTransform view;
    view.setRotation(-60, 0, 30);
    view.setScreenPan(12, -7);
    const auto origin = apply(view.modelview(), 0, 0, 0);
    EXPECT_NEAR(origin[0], 12.0f, 1e-4);
    EXPECT_NEAR(origin[1], -7.0f, 1e-4);
    EXPECT_NEAR(origin[2], 0.0f, 1e-4);
    // Turning the view keeps the pan on screen.
    view.setRotation(10, 20, 30);
    const auto turned = apply(view.modelview(), 0, 0, 0);
    EXPECT_NEAR(turned[0], 12.0f, 1e-4);
    EXPECT_NEAR(turned[1], -7.0f, 1e-4);
}

TEST(ViewTransform, ShiftPanDisplacesTheModelAlongTheScreen)
{
    ViewTransform view;
    view.setRotation(-60, 0, 30);
    view.displaceAlongScreen(5, 0);
    const auto d = view.displacement();
    const auto onScreen = apply(view.modelview(), 0, 0, 0);
    EXPECT_NEAR(onScreen[0], 5.0f, 1e-4) << d[0] << "," << d[1] << "," << d[2];
    EXPECT_NEAR(onScreen[1], 0.0f, 1e-4);
}

TEST(ViewTransform, TrackballTurnReadsBackEulerAngles)
{
    ViewTransform view;
    view.setRotation(0, 0, 0);
    view.rotateBy(30, {1, 0, 0});
    EXPECT_NEAR(view.angles()[0], 30.0f, 1e-3);
    EXPECT_NEAR(view.angles()[1], 0.0f, 1e-3);
    EXPECT_NEAR(view.angles()[2], 0.0f, 1e-3);
    view.rotateBy(20, {0, 0, 1});
    // The angles rebuild the same orientation as the matrix they came from.
    ViewTransform rebuilt;
    rebuilt.setRotation(view.angles()[0], view.angles()[1], view.angles()[2]);
    for (int i = 0; i < 11; ++i)
        EXPECT_NEAR(rebuilt.rotationMatrix()[std::size_t(i)], view.rotationMatrix()[std::size_t(i)], 1e-4) << i;
}

TEST(LampSet, DefaultLampAndActiveLampCycle)
{
    LampSet lamps;
    EXPECT_EQ(lamps.count(), 1u);
    EXPECT_EQ(lamps.activeLamp(), 1u);
    EXPECT_FLOAT_EQ(lamps.radius(1), 300.0f);
    EXPECT_FLOAT_EQ(lamps.elevation(1), LampSet::Pi / 4);
    EXPECT_FLOAT_EQ(lamps.azimuth(1), LampSet::Pi / 3);
    const auto p = lamps.position(1);
    EXPECT_NEAR(p[0], std::cos(LampSet::Pi / 3) * std::cos(LampSet::Pi / 4) * 300, 1e-3);
    EXPECT_NEAR(p[2], std::sin(LampSet::Pi / 4) * 300, 1e-3);
    EXPECT_EQ(p[3], 1.0f);
    EXPECT_EQ(lamps.position(2), (std::array<float, 4>{0, 0, 0, 1}));

    lamps.setCount(2);
    std::vector<unsigned> cycle;
    for (int i = 0; i < 3; ++i) {
        lamps.switchActiveLamp();
        cycle.push_back(lamps.activeLamp());
    }
    EXPECT_EQ(cycle, (std::vector<unsigned>{2, 0, 1}));
}

TEST(LampSet, ShiftWheelScalesTheActiveRadius)
{
    LampSet lamps;
    EXPECT_TRUE(lamps.wheel(120.0f / 1200.0f));
    EXPECT_NEAR(lamps.radius(1), 330.0f, 1e-3);
    lamps.setRadius(1, 0.5f);
    lamps.wheel(0.1f);
    EXPECT_EQ(lamps.radius(1), 2.0f);
    lamps.setRadius(1, 0.5f);
    lamps.wheel(-0.1f);
    EXPECT_EQ(lamps.radius(1), 0.0f);

    lamps.switchActiveLamp(); // none active
    EXPECT_FALSE(lamps.wheel(0.1f));
    EXPECT_EQ(lamps.radius(1), 0.0f);
}

TEST(LampSet, LampsOutsideTheCountAreRefused)
{
    LampSet lamps;
    EXPECT_FALSE(lamps.setRadius(2, 10));
    EXPECT_FALSE(lamps.setAngles(0, 1, 1));
    lamps.setCount(20);
    EXPECT_EQ(lamps.count(), 8u);
    EXPECT_TRUE(lamps.setVisible(8, false));
    EXPECT_FALSE(lamps.setVisible(9, false));

    for (int i = 0; i < 7; ++i)
        lamps.switchActiveLamp();
    EXPECT_EQ(lamps.activeLamp(), 8u);
    lamps.setCount(3);
    EXPECT_EQ(lamps.activeLamp(), 3u) << "a removed lamp cannot stay active";
}

TEST(ViewGrid, LinesSnapOutwardsToTheSpacing)
{
    ViewGrid grid;
    grid.minX = grid.minY = -300;
    grid.maxX = grid.maxY = 300;
    const auto lines = grid.lines();
    ASSERT_EQ(lines.size(), 122u); // 61 along y and 61 along x
    EXPECT_EQ(lines.front(), (std::array<float, 4>{-300, -300, -300, 300}));
    EXPECT_EQ(lines.back(), (std::array<float, 4>{-300, 300, 300, 300}));

    grid.minX = -12;
    grid.maxX = 25;
    grid.spacing = 10;
    const auto snapped = grid.lines();
    EXPECT_EQ(snapped.front()[0], -20.0f);
    EXPECT_EQ(snapped[4][0], 20.0f);
    EXPECT_EQ(snapped[5][2], 30.0f) << "first line along x ends at ceil(maxX)";

    grid.spacing = 0;
    EXPECT_TRUE(grid.lines().empty()) << "a zero spacing draws nothing instead of hanging";
}

TEST(Trackball, CentreOfTheWidgetIsTheOriginWithYUp)
{
    Trackball ball;
    ball.setSize(800, 600);
    EXPECT_EQ(ball.sphereRadius(), 300.0f);
    EXPECT_EQ(ball.screenPoint(400, 300), (Trackball::Point{0, 0, 0}));
    EXPECT_EQ(ball.screenPoint(410, 290), (Trackball::Point{10, 10, 0}));
}

TEST(Trackball, HorizontalDragTurnsAboutTheScreenYAxis)
{
    Trackball ball;
    ball.setSize(800, 600);
    ball.press(Trackball::RotateMode, 400, 300);
    Trackball::Point axis{};
    float degrees = 0;
    ball.rotateTo(420, 300, axis, degrees);
    EXPECT_NEAR(axis[0], 0.0f, 1e-5);
    EXPECT_NEAR(axis[1], 1.0f, 1e-5);
    EXPECT_GT(degrees, 0.0f);
    EXPECT_LT(degrees, 10.0f);
}

TEST(Trackball, PanDeltaIsDividedByTheZoom)
{
    Trackball ball;
    ball.setSize(800, 600);
    ball.setZoom(2.0f);
    ball.press(Trackball::PanMode, 100, 100);
    float dx = 0, dy = 0;
    ball.panTo(120, 90, dx, dy);
    EXPECT_EQ(dx, 10.0f);
    EXPECT_EQ(dy, 5.0f);
}

TEST(Trackball, LampAnglesOnTheLampSphere)
{
    Trackball ball;
    ball.setSize(800, 600);
    float azimuth = 0, elevation = 0;
    ball.lampAnglesAt(400, 300, azimuth, elevation);
    EXPECT_NEAR(elevation, LampSet::Pi / 2, 1e-6) << "straight above the centre";
    ball.lampAnglesAt(400, 0, azimuth, elevation);
    EXPECT_NEAR(azimuth, LampSet::Pi / 2, 1e-6);
    EXPECT_NEAR(elevation, 0.0f, 1e-6) << "on the rim";
}
