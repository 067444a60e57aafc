#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>

namespace TestSupport {

// Acts on the next modal dialog of type `DialogT` as soon as it is shown,
// from inside its event loop: call before the code that runs exec().
// `act` must accept or reject the dialog. Gives up (rejecting whatever is
// modal) after about five seconds so that a test never hangs.
template<typename DialogT>
void whenModal(std::function<void(DialogT *)> act)
{
    auto attempts = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act, attempts, poll]() {
        auto *dialog = qobject_cast<DialogT *>(QApplication::activeModalWidget());
        if (dialog) {
            act(dialog);
            *poll = nullptr;
            return;
        }
        if (++*attempts > 500) {
            if (auto *stuck = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                stuck->reject();
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

} // namespace TestSupport
