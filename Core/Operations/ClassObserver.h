#pragma once

#include "Core/Operations/Operation.h"
#include "Util/IObserver.h"

#include <boost/shared_ptr.hpp>

namespace Core {
namespace Operations {

// An operation whose observer belongs to its class rather than to each
// operation: every operation the factory creates replaces it, and every
// operation of the class notifies the latest.
template<typename OperationT, typename BaseT = Operation>
class ClassObserver : public BaseT
{
public:
    using BaseT::BaseT;

    void setObserver(const boost::shared_ptr<Util::IObserver> &observer) override { slot() = observer; }
    boost::shared_ptr<Util::IObserver> observer() const override { return slot(); }

private:
    static boost::shared_ptr<Util::IObserver> &slot()
    {
        static boost::shared_ptr<Util::IObserver> observer;
        return observer;
    }
};

} // namespace Operations
} // namespace Core
