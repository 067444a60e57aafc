#pragma once

#include "Core/Operations/Objects/ObjectDisplacement.h"

namespace Core {
namespace Operations {

// "Move Objects": moves the picked objects by a typed distance.
class MoveObject : public ObjectDisplacement
{
public:
    explicit MoveObject(OperationContext *context);
    int undo() override;
    int redo() override;

protected:
    std::vector<boost::shared_ptr<Model::Object>>
    takeTravellers(const std::vector<boost::shared_ptr<Model::Object>> &picked) override;
    void arrive() override;
};

} // namespace Operations
} // namespace Core
