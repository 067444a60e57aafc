#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>

namespace TestSupport {

// Calls `step` every 10 ms from the event loop until it returns true. After
// `attempts` calls without success it calls `giveUp` instead, so that a test
// never hangs.
inline void repeatUntil(std::function<bool()> step, std::function<void()> giveUp, int attempts = 3000)
{
    auto left = std::make_shared<int>(attempts);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [step, giveUp, left, poll]() {
        if (step()) {
            *poll = nullptr;
            return;
        }
        if (--*left <= 0) {
            giveUp();
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
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
