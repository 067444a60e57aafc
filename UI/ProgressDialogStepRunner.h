#pragma once

#include "Core/Operations/StepRunner.h"

#include <QPointer>

class QWidget;

namespace Ui {

// Runs a step of a window's operation on a thread of its own, so that the
// window stays alive. A step that is still running after a moment shows a
// modal progress dialog with the operation's title, the phase and its step
// count, and Cancel, which asks the step to stop; the dialog stays until
// the step has stopped. Short steps finish before any dialog shows.
class ProgressDialogStepRunner : public Core::Operations::StepRunner
{
public:
    // How long a step runs before its dialog shows, in milliseconds.
    static constexpr int ShowDelay = 300;
    // How often the dialog follows the step's progress, in milliseconds.
    static constexpr int RefreshInterval = 50;

    explicit ProgressDialogStepRunner(QWidget *dialogParent);

    Outcome run(const std::string &title, const Work &work) override;

private:
    QPointer<QWidget> m_dialogParent;
};

} // namespace Ui
