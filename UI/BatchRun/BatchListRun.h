#pragma once

#include "Core/Operations/Frames/StepProgress.h"
#include "UI/BatchRun/BatchRunner.h"
#include "Model/LengthUnit.h"
#include "UI/BatchRun/ProcessData.h"

#include <QString>
#include <QStringList>

#include <boost/shared_ptr.hpp>

#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace Ui {

// One run of a whole process list in a window: the entries run one after
// another through the batch engine on a thread of its own, while the window
// keeps its events flowing and looks at the run's status now and then.
//
// The thread is not one of the global pool's: the processes split their
// work over that pool and wait for it, which a run holding one of its
// threads would block on a pool of one thread.
class BatchListRun
{
public:
    // How one entry of the run ended.
    struct Outcome
    {
        int entryId;
        BatchRunner::Result result;
        QString problem; // empty when it ran
        QStringList remarks; // see BatchRunner::remarks()
    };

    struct Status
    {
        bool running = false;
        // Entries that have ended, whether they ran or not.
        int finished = 0;
        // Position (from 0) and shown name of the running entry; -1 when
        // none runs.
        int current = -1;
        QString currentName;
        // The volume the entries work on, a new one after "Create Substrate".
        boost::shared_ptr<Model::Automaton::TotalVolume> volume;
        // The run ended at an entry that needs a cell volume, with none.
        bool missingVolume = false;
        bool stopped = false;
        std::vector<Outcome> outcomes;
    };

    explicit BatchListRun(Core::Operations::OperationContext &context);
    // Stops a run that still goes on, within its current entry, and waits for
    // it: the image saver must not wait on the thread that destroys this.
    ~BatchListRun();
    BatchListRun(const BatchListRun &) = delete;
    BatchListRun &operator=(const BatchListRun &) = delete;

    // Called on the run's thread for "Save Image" entries.
    void setImageSaver(const BatchRunner::ImageSaver &saver) { m_imageSaver = saver; }
    // The next runs also write the volume after each entry into `folder`
    // (see Model::Export::StepSeries), lengths in `unit`; an empty folder:
    // they do not. A step that cannot be written is a remark of its entry.
    void setStepFolder(const QString &folder, const Model::LengthUnit &unit)
    {
        m_stepFolder = folder;
        m_stepUnit = unit;
    }

    // Runs a copy of `entries` on `volume` (none is allowed: the list may
    // start with "Create Substrate"). False, and nothing starts, while a run
    // goes on.
    bool start(const std::list<ProcessData> &entries, const boost::shared_ptr<Model::Automaton::TotalVolume> &volume);
    // Ends the run once the running entry is done; the entries after it do
    // not run.
    void stop();
    // Also stops the running entry at its next step; its cells then hold the
    // steps it had done.
    void interrupt();
    bool isRunning() const;
    Status status() const;
    // Waits for the thread of a run that has ended or is ending.
    void join();

private:
    void runEntries(std::list<ProcessData> entries);
    bool stopRequested() const;

    Core::Operations::OperationContext &m_context;
    BatchRunner::ImageSaver m_imageSaver;
    QString m_stepFolder;
    Model::LengthUnit m_stepUnit;
    // A fresh one per run: a stop asked of one run must not stop the next.
    std::unique_ptr<Core::Operations::StepProgress> m_progress;
    mutable std::mutex m_mutex;
    Status m_status;
    bool m_stopRequested = false;
    std::thread m_thread;
};

} // namespace Ui
