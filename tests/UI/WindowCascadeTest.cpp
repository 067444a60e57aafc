// Windows opened from another one go a step beside it and stay on the screen.
#include "UI/WindowCascade.h"

#include <gtest/gtest.h>

using Ui::WindowCascade;

namespace {
const QRect Screen(0, 0, 1280, 1024);
constexpr int Step = WindowCascade::Step;
} // namespace

TEST(WindowCascade, WindowGoesAStepDownAndRightOfItsOrigin)
{
    const QRect origin(100, 80, 800, 600);
    EXPECT_EQ(WindowCascade::next(origin, Screen), origin.translated(Step, Step));
}

TEST(WindowCascade, WindowFillingTheScreenIsCutAtTheEdgeNotLaidOnTop)
{
    const QRect placed = WindowCascade::next(Screen, Screen);
    EXPECT_EQ(placed.topLeft(), QPoint(Step, Step));
    EXPECT_EQ(placed.bottomRight(), Screen.bottomRight());
}

TEST(WindowCascade, TooSmallARemainderStartsAgainAtTheTopLeft)
{
    const QRect nearCorner(1100, 850, 800, 600);
    const QRect placed = WindowCascade::next(nearCorner, Screen);
    EXPECT_EQ(placed.topLeft(), Screen.topLeft());
    EXPECT_EQ(placed.size(), QSize(800, 600));
    EXPECT_EQ(WindowCascade::next(QRect(0, 0, 2000, 1500), Screen).size(), QSize(1280 - Step, 1024 - Step))
        << "larger than the screen: cut to it";
}

TEST(WindowCascade, ToolWindowFollowsOrWrapsToTheScreen)
{
    const QSize console(400, 140);
    EXPECT_EQ(WindowCascade::next(QPoint(790, 790), console, Screen), QPoint(790 + Step, 790 + Step));
    EXPECT_EQ(WindowCascade::next(QPoint(700, 870), console, Screen), QPoint(700 + Step, 0))
        << "the bottom edge would cut it";
    EXPECT_EQ(WindowCascade::next(QPoint(870, 100), console, Screen), QPoint(0, 100 + Step));
}
