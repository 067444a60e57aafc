#include "Core/Operations/Objects/CopyObject.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Object.h"

#include <new>

namespace Core {
namespace Operations {

CopyObject::CopyObject(OperationContext *context)
    : ObjectDisplacement(context, "Copy Objects", CopyObjectId,
                         {"Copy: Select the object(s) to be copied and press Enter",
                          "Copy: Left click or enter the distance into the console (x, y, z):",
                          "Copy: Left click on destination.", "Copy: Object(s) copied", "Copy: Operation canceled"})
{
}

std::vector<boost::shared_ptr<Model::Object>>
CopyObject::takeTravellers(const std::vector<boost::shared_ptr<Model::Object>> &picked)
{
    std::vector<boost::shared_ptr<Model::Object>> clones;
    for (const auto &object : picked) {
        try {
            boost::shared_ptr<Model::Object> clone(object->clone());
            if (!clone)
                continue;
            clones.push_back(clone);
        } catch (const std::bad_alloc &) {
            context()->consoleInput().postMessage("Copy: Not enough memory to copy an object; it is left out.");
        }
    }
    return clones;
}

void CopyObject::arrive()
{
    moveTravellers(1.0);
    for (const auto &clone : travellers())
        context()->document().addObject(clone);
}

int CopyObject::undo()
{
    for (const auto &clone : travellers())
        context()->document().removeObject(clone);
    return Undone;
}

int CopyObject::redo()
{
    for (const auto &clone : travellers())
        context()->document().addObject(clone);
    return Redone;
}

} // namespace Operations
} // namespace Core
