#pragma once

#include "Core/Operations/ClassObserver.h"
#include "Core/Operations/Volumes/VolumeOutputOperation.h"

namespace Core {
namespace Operations {

// "Export": writes a cell volume for other programs, in the format the file
// name's extension names (the cells as VTK image data, or the closed
// surface of each material as VTK polygonal data, STL or OBJ).
class ExportVolumeOperation : public ClassObserver<ExportVolumeOperation, VolumeOutputOperation>
{
public:
    explicit ExportVolumeOperation(OperationContext *context);

protected:
    bool write(Model::Automaton::TotalVolume &volume, const QString &fileName, QString *done,
               QString *problem) override;
};

} // namespace Operations
} // namespace Core
