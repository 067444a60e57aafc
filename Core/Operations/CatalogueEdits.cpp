#include "Core/Operations/CatalogueEdits.h"

#include "Core/Operations/OperationContext.h"
#include "Model/Materials/MaterialFactory.h"
#include "Model/Process/ProcessFactory.h"

namespace Core {
namespace Operations {

bool CatalogueEdits::applyMaterials(const std::vector<Model::Materials::Material> &materials,
                                    Model::Materials::MaterialFactory &catalogue, OperationContext &context)
{
    for (const Model::Materials::Material &material : materials)
        catalogue.setMaterial(material);
    context.selectionManager().clear();
    context.notifyUpdate();
    return catalogue.saveMaterials();
}

bool CatalogueEdits::applyProcesses(const std::vector<Model::Process::Process> &processes,
                                    Model::Process::ProcessFactory &catalogue)
{
    for (const Model::Process::Process &process : processes)
        catalogue.setProcess(process);
    return catalogue.saveProcesses();
}

} // namespace Operations
} // namespace Core
