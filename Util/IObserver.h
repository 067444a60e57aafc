#pragma once

namespace Util {

// Observers are held through boost::shared_ptr and notified synchronously,
// in the order they were attached.
class IObserver
{
public:
    virtual ~IObserver() = default;
    virtual void notify() = 0;
};

} // namespace Util
