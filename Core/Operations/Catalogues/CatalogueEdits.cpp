#include "Core/Operations/Catalogues/CatalogueEdits.h"

#include "Core/Operations/OperationContext.h"
#include "Model/Materials/MaterialFactory.h"
#include "Model/Process/ProcessFactory.h"
#include "Util/DebugLog.h"

#include <QDebug>

namespace Core {
namespace Operations {

namespace {

// Writes the catalogue file unless it is the damaged one that start-up
// promised to leave alone and the user does not agree to replace it.
template<typename Catalogue>
bool write(Catalogue &catalogue, const CatalogueEdits::ConfirmOverwrite &confirmOverwrite,
           const std::function<bool()> &save)
{
    if (catalogue.damagedFileKept() && !(confirmOverwrite && confirmOverwrite(catalogue.filePath()))) {
        qCDebug(tessivalLog) << catalogue.filePath() << "is left as it was; the edits hold for this session";
        return true;
    }
    return save();
}

} // namespace

bool CatalogueEdits::applyMaterials(const std::vector<Model::Materials::Material> &materials,
                                    Model::Materials::MaterialFactory &catalogue, OperationContext &context,
                                    const ConfirmOverwrite &confirmOverwrite)
{
    bool changed = false;
    for (const Model::Materials::Material &material : materials) {
        if (material == catalogue.getMaterial(material.id()))
            continue;
        catalogue.setMaterial(material);
        changed = true;
    }
    context.selectionManager().clear();
    context.notifyUpdate();
    return !changed || write(catalogue, confirmOverwrite, [&catalogue] { return catalogue.saveMaterials(); });
}

bool CatalogueEdits::applyProcesses(const std::vector<Model::Process::Process> &processes,
                                    Model::Process::ProcessFactory &catalogue, const ConfirmOverwrite &confirmOverwrite)
{
    bool changed = false;
    for (const Model::Process::Process &process : processes) {
        if (process == catalogue.getProcess(process.id()))
            continue;
        catalogue.setProcess(process);
        changed = true;
    }
    return !changed || write(catalogue, confirmOverwrite, [&catalogue] { return catalogue.saveProcesses(); });
}

} // namespace Operations
} // namespace Core
