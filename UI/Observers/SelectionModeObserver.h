#pragma once

#include "Util/IObserver.h"

#include <QAction>
#include <QPointer>

namespace Core {
namespace Operations {
class SelectionManager;
}
}

namespace Ui {
namespace Observers {

// Keeps the check mark of the "Select" action on the selection mode.
class SelectionModeObserver : public Util::IObserver
{
public:
    SelectionModeObserver(QAction *selectAction, const Core::Operations::SelectionManager *selection);
    void notify() override;

private:
    QPointer<QAction> m_action;
    const Core::Operations::SelectionManager *m_selection;
};

} // namespace Observers
} // namespace Ui
