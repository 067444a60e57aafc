#pragma once

#include "UI/Operations/ExtractModelDialog.h"
#include "Util/IObserver.h"

#include <QPointer>

namespace Ui {
namespace Observers {

// Closes an extraction's window when the extraction is canceled, unless the
// user closed it first.
class DestroyModelExtractionDialogObserver : public Util::IObserver
{
public:
    explicit DestroyModelExtractionDialogObserver(Operations::ExtractModelDialog *dialog) : m_dialog(dialog) {}

    void notify() override
    {
        if (m_dialog)
            m_dialog->dismiss();
    }

private:
    QPointer<Operations::ExtractModelDialog> m_dialog;
};

} // namespace Observers
} // namespace Ui
