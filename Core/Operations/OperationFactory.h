#pragma once

#include "Core/Operations/IOperationFactory.h"

#include <boost/shared_ptr.hpp>

namespace Util {
class IObserver;
}

namespace Core {
namespace Operations {

class OperationContext;

// Builds the operation of each id for one context. The operations talk to
// the user only through the console and their observer; this factory
// attaches none, so it serves tests and programs without windows, and the
// window's factory adds the observers that open dialogs.
class OperationFactory : public IOperationFactory
{
public:
    explicit OperationFactory(OperationContext *context);

    boost::shared_ptr<Operation> createOperation(unsigned id) override;

    // Whether `id` names an operation that is built: every process kind with
    // a descriptor, and the object, document and batch-run operations.
    static bool builds(unsigned id);

protected:
    // The observer for a new operation of `id`, or none.
    virtual boost::shared_ptr<Util::IObserver> createObserver(unsigned id);

    OperationContext *context() const { return m_context; }

private:
    boost::shared_ptr<Operation> createBareOperation(unsigned id);

    OperationContext *m_context;
};

} // namespace Operations
} // namespace Core
