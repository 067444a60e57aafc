#include "UI/WindowCascade.h"

#include <algorithm>

namespace Ui {

constexpr int WindowCascade::Step;
constexpr int WindowCascade::MinimumSide;

QRect WindowCascade::next(const QRect &origin, const QRect &available)
{
    QRect placed = origin.translated(Step, Step);
    // What would leave the screen is cut off rather than moved back on top
    // of the origin.
    placed.setRight(std::min(placed.right(), available.right()));
    placed.setBottom(std::min(placed.bottom(), available.bottom()));
    if (placed.width() >= MinimumSide && placed.height() >= MinimumSide && available.contains(placed.topLeft()))
        return placed;
    return QRect(available.topLeft(), origin.size().boundedTo(available.size()));
}

QPoint WindowCascade::next(const QPoint &origin, const QSize &size, const QRect &available)
{
    QPoint placed = origin + QPoint(Step, Step);
    if (placed.x() + size.width() - 1 > available.right())
        placed.setX(available.left());
    if (placed.y() + size.height() - 1 > available.bottom())
        placed.setY(available.top());
    return placed;
}

} // namespace Ui
