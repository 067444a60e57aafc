#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>
#include <utility>

namespace TestSupport {

// One call of repeatUntil's step. A retry schedules a copy of it, so that
// nothing refers to itself: a poll still pending when the test ends goes
// with the event loop's timers instead of being leaked.
struct RepeatedStep
{
    std::function<bool()> step;
    std::function<void()> giveUp;
    int left;

    void operator()()
    {
        if (step())
            return;
        if (--left <= 0) {
            giveUp();
            return;
        }
        QTimer::singleShot(10, RepeatedStep(*this));
    }
};

// Calls `step` every 10 ms from the event loop until it returns true. After
// `attempts` calls without success it calls `giveUp` instead, so that a test
// never hangs.
inline void repeatUntil(std::function<bool()> step, std::function<void()> giveUp, int attempts = 3000)
{
    QTimer::singleShot(0, RepeatedStep{std::move(step), std::move(giveUp), attempts});
}

// Acts on the next modal dialog of type `DialogT` as soon as it is shown,
// from inside its event loop: call before the code that runs exec().
// `act` must accept or reject the dialog. Gives up (rejecting whatever is
// modal) after about five seconds so that a test never hangs.
template<typename DialogT>
void whenModal(std::function<void(DialogT *)> act)
{
    repeatUntil(
        [act]() {
            auto *dialog = qobject_cast<DialogT *>(QApplication::activeModalWidget());
            if (dialog)
                act(dialog);
            return dialog != nullptr;
        },
        []() {
            if (auto *stuck = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                stuck->reject();
        },
        500);
}

} // namespace TestSupport
