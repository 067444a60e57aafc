#include "UI/ProgressDialogStepRunner.h"

#include "Core/Operations/Frames/StepProgress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace Ui {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Ui::ProgressDialogStepRunner", text);
}

// What the step's thread tells the GUI thread: that it has ended, and how.
struct StepEnd
{
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::exception_ptr failure;

    bool isDone()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return done;
    }
};

// A progress dialog whose Cancel, Escape and close button only ask the step
// to stop: it stays, modal, until the step has.
class StepDialog : public QProgressDialog
{
public:
    StepDialog(QWidget *parent, const std::function<void()> &stop) : QProgressDialog(parent), m_stop(stop)
    {
        // By default Cancel also resets and hides the dialog.
        disconnect(this, SIGNAL(canceled()), this, SLOT(cancel()));
        connect(this, &QProgressDialog::canceled, this, [this] { askToStop(); });
        m_cancel = new QPushButton(tr("Cancel"));
        setCancelButton(m_cancel);
    }

protected:
    void reject() override { askToStop(); }
    void closeEvent(QCloseEvent *event) override
    {
        event->ignore();
        askToStop();
    }

private:
    void askToStop()
    {
        m_stop();
        m_cancel->setEnabled(false);
        setLabelText(tr("Canceling..."));
    }

    std::function<void()> m_stop;
    QPushButton *m_cancel;
};

QString describe(const Core::Operations::StepProgress::Report &report)
{
    return report.phase.empty() ? tr("Starting...") : QString::fromStdString(report.text());
}

} // namespace

ProgressDialogStepRunner::ProgressDialogStepRunner(QWidget *dialogParent) : m_dialogParent(dialogParent) {}

ProgressDialogStepRunner::Outcome ProgressDialogStepRunner::run(const std::string &title, const Work &work)
{
    Core::Operations::StepProgress progress;
    StepEnd end;
    std::thread worker([&] {
        try {
            work(&progress);
        } catch (...) {
            end.failure = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(end.mutex);
        end.done = true;
        end.ended.notify_all();
    });

    bool done;
    {
        std::unique_lock<std::mutex> lock(end.mutex);
        done = end.ended.wait_for(lock, std::chrono::milliseconds(ShowDelay), [&end] { return end.done; });
    }
    if (!done) {
        StepDialog dialog(m_dialogParent, [&progress] { progress.interrupt(); });
        dialog.setWindowTitle(QString::fromStdString(title));
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setAutoClose(false);
        dialog.setAutoReset(false);
        dialog.setMinimumDuration(0);
        // Busy until the step has a count.
        dialog.setRange(0, 0);
        const auto follow = [&] {
            if (progress.wasInterrupted())
                return;
            const Core::Operations::StepProgress::Report report = progress.report();
            if (report.steps > 0) {
                dialog.setMaximum(report.steps);
                dialog.setValue(report.step);
            }
            dialog.setLabelText(describe(report));
        };
        follow();

        QEventLoop loop;
        QTimer refresh;
        refresh.setInterval(RefreshInterval);
        QObject::connect(&refresh, &QTimer::timeout, &loop, [&] {
            if (end.isDone())
                loop.quit();
            else
                follow();
        });
        refresh.start();
        dialog.show();
        // Also left when the application quits: the step is then asked to
        // stop, and waited for below.
        loop.exec();
        if (!end.isDone())
            progress.interrupt();
    }
    worker.join();
    if (end.failure)
        std::rethrow_exception(end.failure);
    return progress.wasInterrupted() ? Canceled : Finished;
}

} // namespace Ui
