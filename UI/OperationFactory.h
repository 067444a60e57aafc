#pragma once

#include "Core/Operations/OperationFactory.h"

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
    QWidget *m_dialogParent;
};

} // namespace Ui
