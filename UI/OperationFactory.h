#pragma once

#include "Core/Operations/OperationFactory.h"
#include "Util/IObserver.h"

class QWidget;

namespace Ui {

// The main window's operation factory: the operations of the core factory,
// each with the observer that opens its dialog over the window.
class OperationFactory : public Core::Operations::OperationFactory
{
public:
    OperationFactory(Core::Operations::OperationContext *context, QWidget *dialogParent);

protected:
    boost::shared_ptr<Util::IObserver> createObserver(unsigned id) override;

private:
    template<typename ObserverT>
    boost::shared_ptr<Util::IObserver> make() const
    {
        return boost::shared_ptr<Util::IObserver>(new ObserverT(context(), m_dialogParent));
    }

    QWidget *m_dialogParent;
};

} // namespace Ui
