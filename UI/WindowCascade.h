#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace Ui {

// Where a window opened from another one goes: a step down and to the
// right of it, so that neither hides the other, and still on the screen.
class WindowCascade
{
public:
    static constexpr int Step = 32;
    // Narrower or lower than this, a cascaded window starts again at the
    // top left of the screen instead of shrinking further.
    static constexpr int MinimumSide = 200;

    // The geometry for a window opened from one at `origin`.
    static QRect next(const QRect &origin, const QRect &available);
    // The position for a tool window of `size` opened from one at `origin`.
    static QPoint next(const QPoint &origin, const QSize &size, const QRect &available);
};

} // namespace Ui
