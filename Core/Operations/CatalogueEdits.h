#pragma once

#include "Model/Materials/Material.h"
#include "Model/Process/Process.h"

#include <vector>

namespace Model {
namespace Materials {
class MaterialFactory;
}
namespace Process {
class ProcessFactory;
}
}

namespace Core {
namespace Operations {

class OperationContext;

// What accepting the catalogue dialogs does, apart from the dialogs.
class CatalogueEdits
{
public:
    // Stores every edited material, drops the selection and refreshes the
    // views so that they show the new colours, then keeps the catalogue on
    // disk. False when the file could not be written (the edits still hold
    // for this session).
    static bool applyMaterials(const std::vector<Model::Materials::Material> &materials,
                               Model::Materials::MaterialFactory &catalogue, OperationContext &context);

    // Stores every edited process and writes the processes file. False when
    // the file could not be written.
    static bool applyProcesses(const std::vector<Model::Process::Process> &processes,
                               Model::Process::ProcessFactory &catalogue);
};

} // namespace Operations
} // namespace Core
