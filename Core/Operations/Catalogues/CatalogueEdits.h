#pragma once

#include "Model/Materials/Material.h"
#include "Model/Process/Process.h"

#include <QString>

#include <functional>
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
    // Asked before a catalogue file that could not be read at start-up (and
    // was left untouched) is written over; true to write it. Without one the
    // file is not written.
    using ConfirmOverwrite = std::function<bool(const QString &path)>;

    // Stores the materials the user added or changed (rows equal to the
    // catalogue's entries are left alone, so that materials merged from
    // documents stay session-only), drops the selection and refreshes the
    // views so that they show the new colours, then writes the materials
    // file when anything changed. False when the file could not be written
    // (the edits still hold for this session); a declined overwrite is not
    // a failure.
    static bool applyMaterials(const std::vector<Model::Materials::Material> &materials,
                               Model::Materials::MaterialFactory &catalogue, OperationContext &context,
                               const ConfirmOverwrite &confirmOverwrite = ConfirmOverwrite());

    // Stores the changed processes and writes the processes file when
    // anything changed. False when the file could not be written.
    static bool applyProcesses(const std::vector<Model::Process::Process> &processes,
                               Model::Process::ProcessFactory &catalogue,
                               const ConfirmOverwrite &confirmOverwrite = ConfirmOverwrite());
};

} // namespace Operations
} // namespace Core
