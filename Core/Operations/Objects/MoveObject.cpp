#include "Core/Operations/Objects/MoveObject.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Object.h"

namespace Core {
namespace Operations {

MoveObject::MoveObject(OperationContext *context)
    : ObjectDisplacement(context, "Move Objects", MoveObjectId,
                         {"Move: Select the object(s) to be copied and press Enter/Return.",
                          "Move: Left click or enter the distance into the console (x, y, z):",
                          "Move: Left click on destination.", "Move: Object(s) moved", "Move: Operation canceled"})
{
}

std::vector<boost::shared_ptr<Model::Object>>
MoveObject::takeTravellers(const std::vector<boost::shared_ptr<Model::Object>> &picked)
{
    return picked;
}

void MoveObject::arrive()
{
    moveTravellers(1.0);
}

int MoveObject::undo()
{
    moveTravellers(-1.0);
    context()->notifyUpdate();
    return Undone;
}

int MoveObject::redo()
{
    moveTravellers(1.0);
    return Redone;
}

} // namespace Operations
} // namespace Core
