#include "Core/Operations/OperationFactory.h"

#include "Core/Operations/Documents/ChangeDocumentUnitsOperation.h"
#include "Core/Operations/Documents/OpenDocumentOperation.h"
#include "Core/Operations/Documents/SaveDocumentOperation.h"
#include "Core/Operations/ModelExtraction/RunModelExtraction.h"
#include "Core/Operations/Objects/CopyObject.h"
#include "Core/Operations/Objects/DeleteObject.h"
#include "Core/Operations/Objects/MoveObject.h"
#include "Core/Operations/Objects/SelectVolumesOperation.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/ProcessDescriptor.h"
#include "Core/Operations/ProcessRegistry.h"
#include "Core/Operations/Substrate/CreateSubstrateOperation.h"
#include "Core/Operations/Volumes/ChangeTotalVolumeVisualizationOptions.h"
#include "Core/Operations/Volumes/CutCellVolumeOperation.h"
#include "Core/Operations/Volumes/ExportVolumeOperation.h"
#include "Core/Operations/Volumes/ExtractFilm.h"
#include "Core/Operations/Volumes/GlueSubstrateOperation.h"
#include "Core/Operations/Volumes/SaveCrossSectionOperation.h"
#include "Util/IObserver.h"

namespace Core {
namespace Operations {

namespace {

struct OtherOperation
{
    unsigned id;
    ProcessDescriptor::OperationMaker make;
};

// The operations that are not process steps.
const OtherOperation OtherOperations[] = {
    {CopyObjectId, makeOperation<CopyObject>},
    {CreateSubstrateId, makeOperation<CreateSubstrateOperation>},
    {DeleteObjectId, makeOperation<DeleteObject>},
    {MoveObjectId, makeOperation<MoveObject>},
    {SaveDocumentId, makeOperation<SaveDocumentOperation>},
    {SaveDocumentAsId, makeOperation<SaveDocumentAsOperation>},
    {OpenDocumentId, makeOperation<OpenDocumentOperation>},
    {BatchRunId, makeOperation<SelectVolumesOperation>},
    {GlueSubstrateId, makeOperation<GlueSubstrateOperation>},
    {CutCellVolumeId, makeOperation<CutCellVolumeOperation>},
    {ChangeVisualizationOptionsId, makeOperation<ChangeTotalVolumeVisualizationOptions>},
    {ExtractFilmId, makeOperation<ExtractFilm>},
    {ModelExtractionId, makeOperation<RunModelExtraction>},
    {ExportVolumeId, makeOperation<ExportVolumeOperation>},
    {SaveCrossSectionId, makeOperation<SaveCrossSectionOperation>},
    {DocumentUnitsId, makeOperation<ChangeDocumentUnitsOperation>},
};

const OtherOperation *otherOperation(unsigned id)
{
    for (const OtherOperation &entry : OtherOperations)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

} // namespace

OperationFactory::OperationFactory(OperationContext *context) : m_context(context) {}

bool OperationFactory::builds(unsigned id)
{
    return ProcessRegistry::forOperation(int(id)) || otherOperation(id);
}

boost::shared_ptr<Operation> OperationFactory::createOperation(unsigned id)
{
    const boost::shared_ptr<Operation> op = createBareOperation(id);
    if (op) {
        const boost::shared_ptr<Util::IObserver> observer = createObserver(id);
        if (observer)
            op->setObserver(observer);
    }
    return op;
}

boost::shared_ptr<Util::IObserver> OperationFactory::createObserver(unsigned)
{
    return {};
}

boost::shared_ptr<Operation> OperationFactory::createBareOperation(unsigned id)
{
    if (const ProcessDescriptor *process = ProcessRegistry::forOperation(int(id)))
        return process->createOperation(m_context);
    if (const OtherOperation *other = otherOperation(id))
        return other->make(m_context);
    return {};
}

} // namespace Operations
} // namespace Core
