#include "Core/Operations/OperationFactory.h"

#include "Core/Operations/Objects/CopyObject.h"
#include "Core/Operations/Substrate/CreateSubstrateOperation.h"
#include "Core/Operations/Objects/DeleteObject.h"
#include "Core/Operations/Isotropic/ElectrodepositionOperation.h"
#include "Core/Operations/Isotropic/IsotropicFilmDepositionOperation.h"
#include "Core/Operations/Isotropic/IsotropicFilmEtchingOperation.h"
#include "Core/Operations/Objects/MoveObject.h"
#include "Core/Operations/Documents/OpenDocumentOperation.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Documents/SaveDocumentOperation.h"
#include "Core/Operations/Objects/SelectVolumesOperation.h"
#include "Core/Operations/SiEtching/AtomisticSiWetEtchingOperation.h"
#include "Core/Operations/SiEtching/ContinousWetEtchOperation.h"
#include "Util/IObserver.h"

namespace Core {
namespace Operations {

OperationFactory::OperationFactory(OperationContext *context) : m_context(context) {}

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
    switch (id) {
    case CopyObjectId: return boost::shared_ptr<Operation>(new CopyObject(m_context));
    case CreateSubstrateId: return boost::shared_ptr<Operation>(new CreateSubstrateOperation(m_context));
    case DeleteObjectId: return boost::shared_ptr<Operation>(new DeleteObject(m_context));
    case MoveObjectId: return boost::shared_ptr<Operation>(new MoveObject(m_context));
    case SaveDocumentId: return boost::shared_ptr<Operation>(new SaveDocumentOperation(m_context));
    case SaveDocumentAsId: return boost::shared_ptr<Operation>(new SaveDocumentAsOperation(m_context));
    case OpenDocumentId: return boost::shared_ptr<Operation>(new OpenDocumentOperation(m_context));
    case BatchRunId: return boost::shared_ptr<Operation>(new SelectVolumesOperation(m_context));
    case IsotropicDepositionId: return boost::shared_ptr<Operation>(new IsotropicFilmDepositionOperation(m_context));
    case IsotropicEtchingId: return boost::shared_ptr<Operation>(new IsotropicFilmEtchingOperation(m_context));
    case ElectrodepositionId: return boost::shared_ptr<Operation>(new ElectrodepositionOperation(m_context));
    case AtomisticWetEtchingId: return boost::shared_ptr<Operation>(new AtomisticSiWetEtchingOperation(m_context));
    case ContinuousWetEtchingId: return boost::shared_ptr<Operation>(new ContinousWetEtchOperation(m_context));
    default: return {};
    }
}

} // namespace Operations
} // namespace Core
