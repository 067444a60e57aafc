#pragma once

#include "Core/Operations/Frames/StepProgress.h"
#include "UI/BatchRun/ProcessData.h"
#include "apps/tessival-batch/CommandLine.h"

#include <QElapsedTimer>
#include <QString>

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

class QCoreApplication;

namespace Core {
namespace Operations {
class OperationContext;
}
}

namespace Ui {
class BatchRunner;
}

namespace Model {
namespace Export {
class StepSeries;
}
namespace ModelExtraction {
class CantileverStructure;
}
}

namespace BatchTool {

class ProgressReport;
class RunReport;

// One invocation of the batch program, in three parts: set-up reads the
// command line, the list and the start document; run runs the entries,
// stopping cleanly on Ctrl-C; report writes the document and the summary.
class BatchProgram
{
public:
    // The one table of exit statuses; the help text and the README list it.
    enum ExitStatus {
        AllRan = 0,
        // The document was written, but entries did not run, parts of the
        // list or the start document were skipped, or a requested output is
        // missing.
        NotAllAsAsked = 1,
        BadCommandLine = 2,
        NothingWritten = 3,
        // Ctrl-C while the entries ran: the shell's status for SIGINT.
        Interrupted = 130,
    };
    // What setUp returns when the run can go ahead.
    static constexpr int Proceed = -1;

    BatchProgram();
    ~BatchProgram();
    BatchProgram(const BatchProgram &) = delete;
    BatchProgram &operator=(const BatchProgram &) = delete;

    // Proceed, or the exit status when there is nothing to run (help, an
    // unusable command line, list or start document). `argc` and `argv`
    // must outlive the program object.
    int setUp(int &argc, char *argv[]);
    // Runs the entries in list order, until the end, an entry that needs a
    // cell volume it does not have, or Ctrl-C.
    void run();
    // Writes the document unless the run stopped short, prints the
    // summary, and returns the exit status.
    int report();

private:
    bool openStartDocument();
    void prepareRunner();
    // Extracts the cantilevers of the resulting volume into the netlist
    // file; false with the reason on stderr when none was written.
    bool writeNetlist();
    // One line per beam on stderr: its material, size in the document's
    // unit, and what the model makes of it.
    void reportBeams(const Model::ModelExtraction::CantileverStructure &structure);
    // The exports and sections of the resulting volume; false with the
    // reasons on stderr when one was not made.
    bool writeResultFiles();
    // The --report file, when one is asked; false with the reason on stderr
    // when it was not written.
    bool writeReport(int exitStatus);
    // The volume after entry `number` into the step series, when one is asked.
    void writeStep(int number, const Ui::ProcessData &entry, ProgressReport &progress);

    CommandLine m_line;
    std::list<Ui::ProcessData> m_entries;
    bool m_withDisplay = false;
    std::unique_ptr<QCoreApplication> m_application;
    std::unique_ptr<Core::Operations::OperationContext> m_context;
    std::unique_ptr<Ui::BatchRunner> m_runner;
    // The processes report here; Ctrl-C asks them to stop here.
    Core::Operations::StepProgress m_progress;
    std::vector<std::uint32_t> m_exportMaterials; // --export-materials as ids
    std::unique_ptr<Model::Export::StepSeries> m_series;
    std::unique_ptr<RunReport> m_report; // with --report

    // What the run came to.
    QElapsedTimer m_clock;
    int m_notRun = 0;
    bool m_startIncomplete = false; // objects of the start document skipped
    int m_listSkipped = 0;          // elements of the list that are not part of one
    bool m_missingVolume = false;
    bool m_interrupted = false;
    bool m_seriesIncomplete = false; // a step of --series not written
    int m_lastEntry = 0; // the last entry that started
};

} // namespace BatchTool
