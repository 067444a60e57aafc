#pragma once

#include "Core/Operations/Operation.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Model {
class Object;
}

namespace Core {
namespace Operations {

// "Delete Objects": removes the picked objects from the document; undo puts
// the same objects back.
class DeleteObject : public ObjectOperation
{
public:
    explicit DeleteObject(OperationContext *context);

    void execute() override;
    void cancel() override;
    void end() override;
    int undo() override;
    int redo() override;

    const std::vector<boost::shared_ptr<Model::Object>> &deletedObjects() const { return m_deleted; }

private:
    bool m_done = false;
    std::vector<boost::shared_ptr<Model::Object>> m_deleted;
};

} // namespace Operations
} // namespace Core
