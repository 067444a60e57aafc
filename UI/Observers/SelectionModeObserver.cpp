#include "UI/Observers/SelectionModeObserver.h"

#include "Core/Operations/SelectionManager.h"


namespace Ui {
namespace Observers {

SelectionModeObserver::SelectionModeObserver(QAction *selectAction,
                                             const Core::Operations::SelectionManager *selection)
    : m_action(selectAction)
    , m_selection(selection)
{
}

void SelectionModeObserver::notify()
{
    if (m_action && m_selection)
        m_action->setChecked(m_selection->mode());
}

} // namespace Observers
} // namespace Ui
