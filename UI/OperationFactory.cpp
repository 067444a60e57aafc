#include "UI/OperationFactory.h"

#include "Core/Operations/OperationId.h"
#include "UI/Observers/CreateSubstrateObserver.h"

namespace Ui {

using namespace Core::Operations;

OperationFactory::OperationFactory(OperationContext *context, QWidget *dialogParent)
    : Core::Operations::OperationFactory(context)
    , m_dialogParent(dialogParent)
{
}

boost::shared_ptr<Util::IObserver> OperationFactory::createObserver(unsigned id)
{
    switch (id) {
    case CreateSubstrateId:
        return boost::shared_ptr<Util::IObserver>(new Observers::CreateSubstrateObserver(context(), m_dialogParent));
    default:
        return {};
    }
}

} // namespace Ui
