#include "UI/BatchRun/BatchListRun.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Export/StepSeries.h"
#include "Model/Materials/MaterialFactory.h"
#include "Util/DebugLog.h"

#include <QDebug>

namespace Ui {

BatchListRun::BatchListRun(Core::Operations::OperationContext &context) : m_context(context) {}

BatchListRun::~BatchListRun()
{
    interrupt();
    join();
}

bool BatchListRun::start(const std::list<ProcessData> &entries,
                         const boost::shared_ptr<Model::Automaton::TotalVolume> &volume)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_status.running)
        return false;
    // The thread of the run before has ended; only its handle is left.
    if (m_thread.joinable())
        m_thread.join();
    m_status = Status();
    m_status.running = true;
    m_status.volume = volume;
    m_stopRequested = false;
    m_progress.reset(new Core::Operations::StepProgress);
    m_thread = std::thread(&BatchListRun::runEntries, this, entries);
    return true;
}

void BatchListRun::stop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopRequested = true;
}

void BatchListRun::interrupt()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopRequested = true;
    if (m_progress)
        m_progress->interrupt();
}

bool BatchListRun::isRunning() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_status.running;
}

BatchListRun::Status BatchListRun::status() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_status;
}

void BatchListRun::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool BatchListRun::stopRequested() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_stopRequested;
}

void BatchListRun::runEntries(std::list<ProcessData> entries)
{
    BatchRunner runner(m_context);
    Core::Operations::StepProgress *progress;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        runner.setVolume(m_status.volume);
        progress = m_progress.get();
    }
    runner.setImageSaver(m_imageSaver);
    runner.setInterrupter(progress);
    std::unique_ptr<Model::Export::StepSeries> steps;
    if (!m_stepFolder.isEmpty())
        steps.reset(new Model::Export::StepSeries(m_stepFolder));
    int position = 0;
    bool stopped = false;
    for (const ProcessData &entry : entries) {
        // A stop ends the run after the entry that was running when it came,
        // which is the first one when it came at once.
        if (position > 0 && (stopped = stopRequested()))
            break;
        if (!runner.canRun(entry)) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_status.missingVolume = true;
            break;
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_status.current = position;
            m_status.currentName = ProcessData::shownName(entry.type());
        }
        progress->clearReport();
        const BatchRunner::Result result = runner.run(entry);
        for (const QString &note : runner.notes())
            qCDebug(tessivalLog).noquote() << ProcessData::shownName(entry.type()) + QStringLiteral(": ") + note;
        if (runner.volume())
            runner.volume()->markCellsChanged();
        QStringList remarks = runner.remarks();
        QString notSaved;
        if (steps && runner.volume() && result != BatchRunner::Interrupted
            && !steps->add(position + 1, ProcessData::shownName(entry.type()), *runner.volume(),
                           *Model::Materials::MaterialFactory::getInstance(), m_stepUnit, &notSaved))
            remarks.append(QStringLiteral("The step was not saved: %1").arg(notSaved));
        std::lock_guard<std::mutex> lock(m_mutex);
        m_status.outcomes.push_back({entry.id(), result, runner.problem(), remarks});
        m_status.volume = runner.volume();
        m_status.finished = ++position;
        m_status.current = -1;
        m_status.currentName.clear();
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_status.stopped = stopped;
    m_status.running = false;
}

} // namespace Ui
