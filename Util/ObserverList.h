#pragma once

#include "Util/IObserver.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Util {

// Notifies each observer in attachment order. Works on a copy, so an
// observer may attach others while being notified.
inline void notifyAll(const std::vector<boost::shared_ptr<IObserver>> &observers)
{
    const std::vector<boost::shared_ptr<IObserver>> snapshot = observers;
    for (const auto &observer : snapshot)
        observer->notify();
}

} // namespace Util
