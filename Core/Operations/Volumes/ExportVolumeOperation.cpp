#include "Core/Operations/Volumes/ExportVolumeOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Export/VolumeExport.h"
#include "Model/Materials/MaterialFactory.h"

namespace Core {
namespace Operations {

ExportVolumeOperation::ExportVolumeOperation(OperationContext *context)
    : ClassObserver(context, "Export", ExportVolumeId)
{
}

bool ExportVolumeOperation::write(Model::Automaton::TotalVolume &volume, const QString &fileName, QString *done,
                                  QString *problem)
{
    const Model::Export::VolumeExport::Result result =
        Model::Export::VolumeExport::write(fileName, volume, *Model::Materials::MaterialFactory::getInstance(),
                                           context()->document().lengthUnit());
    if (!result.ok) {
        *problem = result.error;
        return false;
    }
    *done = QStringLiteral("Exported to %1.").arg(fileName);
    return true;
}

} // namespace Operations
} // namespace Core
