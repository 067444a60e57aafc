#pragma once

#include "Core/Operations/OperationContext.h"
#include "Util/IObserver.h"

#include <boost/shared_ptr.hpp>

class QWidget;

namespace Ui {
namespace Observers {

// The pattern every options observer follows: when notified, it looks at
// the context's current operation and, only if that is its kind of
// operation, shows the options dialog (modal, over the main window) and
// hands the accepted values to it.
template<typename OperationT>
class OptionObserver : public Util::IObserver
{
public:
    OptionObserver(Core::Operations::OperationContext *context, QWidget *dialogParent)
        : m_context(context), m_dialogParent(dialogParent)
    {
    }

    void notify() override
    {
        // Held for the whole dialog: the operation may end while it runs.
        const boost::shared_ptr<OperationT> operation =
            boost::dynamic_pointer_cast<OperationT>(m_context->currentOperation());
        if (operation)
            showOptions(*operation);
    }

protected:
    virtual void showOptions(OperationT &operation) = 0;

    Core::Operations::OperationContext *context() const { return m_context; }
    QWidget *dialogParent() const { return m_dialogParent; }

private:
    Core::Operations::OperationContext *m_context;
    QWidget *m_dialogParent;
};

} // namespace Observers
} // namespace Ui
