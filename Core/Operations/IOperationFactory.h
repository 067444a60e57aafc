#pragma once

#include <boost/shared_ptr.hpp>

namespace Core {
namespace Operations {

class Operation;

// Builds the operation for an operation id, with its observer attached.
class IOperationFactory
{
public:
    virtual ~IOperationFactory() = default;
    // Empty for an id that names no operation.
    virtual boost::shared_ptr<Operation> createOperation(unsigned id) = 0;
};

} // namespace Operations
} // namespace Core
