#pragma once

#include "Core/Operations/Objects/ObjectDisplacement.h"

namespace Core {
namespace Operations {

// "Copy Objects": adds copies of the picked objects at a typed distance.
class CopyObject : public ObjectDisplacement
{
public:
    explicit CopyObject(OperationContext *context);
    int undo() override;
    int redo() override;

protected:
    std::vector<boost::shared_ptr<Model::Object>>
    takeTravellers(const std::vector<boost::shared_ptr<Model::Object>> &picked) override;
    void arrive() override;
};

} // namespace Operations
} // namespace Core
