#include "apps/tessival-batch/BatchProgram.h"

#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/CellVolumes.h"
#include "Model/Export/ExportMaterial.h"
#include "Model/Export/StepSeries.h"
#include "Model/Materials/MaterialFactory.h"
#include "Model/ModelExtraction/CantileverModelRule.h"
#include "Model/ModelExtraction/EnvelopeDecomposition.h"
#include "Model/ModelExtraction/NetlistFile.h"
#include "UI/BatchRun/BatchRunner.h"
#include "UI/BatchRun/ProcessListArchiver.h"
#include "UI/View/SceneImage.h"
#include "Util/DebugLog.h"
#include "Util/IObserver.h"
#include "apps/tessival-batch/DisplayProbe.h"
#include "apps/tessival-batch/DocumentSummary.h"
#include "apps/tessival-batch/ParameterOverrides.h"
#include "apps/tessival-batch/ProgressReport.h"
#include "apps/tessival-batch/ResultFiles.h"
#include "apps/tessival-batch/RunReport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QThreadPool>

#include <boost/make_shared.hpp>

#include <atomic>
#include <csignal>
#include <cstdio>

#include <unistd.h>

namespace BatchTool {

namespace {

const QSize ImageSize(1024, 768);

void printError(const QString &text)
{
    std::fprintf(stderr, "tessival-batch: %s\n", text.toLocal8Bit().constData());
}

bool verboseLog = false;

// Debug lines only on request; our warnings always, in the program's voice.
// Qt's own messages carry no source file (only our code is built with the
// log context) and are about the platform rather than the run.
void logMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const bool fromQt = context.file == nullptr;
    if ((type == QtDebugMsg || type == QtInfoMsg || fromQt) && type != QtFatalMsg && !verboseLog)
        return;
    const char *kind = type == QtDebugMsg || type == QtInfoMsg ? "" : "warning: ";
    std::fprintf(stderr, "tessival-batch: %s%s\n", kind, message.toLocal8Bit().constData());
}

// A picture of a "Save Image" entry that would replace an output of the
// command line, the list, the start document or a file an entry reads
// (a mask), or an output that would replace such a file.
QString listClash(const CommandLine &line, const std::list<Ui::ProcessData> &entries)
{
    FileClaims files = line.files();
    int number = 0;
    for (const Ui::ProcessData &entry : entries) {
        ++number;
        const QString file = entry.parameter(QStringLiteral("Filename")).toString();
        if (entry.type() == Ui::ProcessData::SaveImage && !file.isEmpty())
            files.addListPicture(QStringLiteral("entry %1 (Save Image %2)").arg(number).arg(file), file);
        for (const Ui::ProcessData::FileRead &read : entry.filesRead())
            files.addInput(QStringLiteral("entry %1 (%2 %3)")
                               .arg(number)
                               .arg(read.parameter, entry.parameter(read.parameter).toString()),
                           read.path);
    }
    return files.clash();
}

bool drawsImages(const std::list<Ui::ProcessData> &entries)
{
    for (const Ui::ProcessData &entry : entries)
        if (entry.type() == Ui::ProcessData::SaveImage && !entry.parameter(QStringLiteral("Filename")).toString().isEmpty())
            return true;
    return false;
}

// A folder to write into, checked before a long run rather than after it.
bool outputWritable(const QString &path, const char *kind, QString *problem)
{
    const QFileInfo file(path);
    if (file.isDir()) {
        *problem = QStringLiteral("%1: is a folder, not a %2").arg(path, QLatin1String(kind));
        return false;
    }
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir()) {
        *problem = QStringLiteral("%1: the folder %2 does not exist").arg(path, folder.filePath());
        return false;
    }
    if (!folder.isWritable()) {
        *problem = QStringLiteral("%1: the folder %2 cannot be written to").arg(path, folder.filePath());
        return false;
    }
    return true;
}

bool resultFoldersWritable(const CommandLine &line, QString *problem)
{
    for (const QString &file : ResultFiles(line.exports, line.sections).files())
        if (!outputWritable(file, "file", problem))
            return false;
    return true;
}

// Sections are drawn with QPainter, whose text needs a GUI application;
// without a display Qt's offscreen platform serves.
QCoreApplication *newApplication(int &argc, char *argv[], bool withDisplay, bool drawsSections)
{
    if (withDisplay)
        return new QGuiApplication(argc, argv);
    if (!drawsSections)
        return new QCoreApplication(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !guiPlatformAvailable())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
}

// Messages the document reader posts to the console go to stderr here.
class StderrConsole : public Util::IObserver
{
public:
    StderrConsole(Core::Operations::ConsoleInput &console, const QString &source) : m_console(console), m_source(source) {}
    void notify() override { printError(m_source + QStringLiteral(": ") + QString::fromStdString(m_console.message())); }

private:
    Core::Operations::ConsoleInput &m_console;
    QString m_source;
};

// The progress that Ctrl-C asks to stop; set while the entries run.
std::atomic<Core::Operations::StepProgress *> interruptTarget{nullptr};
static_assert(std::atomic<Core::Operations::StepProgress *>::is_always_lock_free,
              "the signal handler reads it");

void onInterrupt(int)
{
    if (Core::Operations::StepProgress *progress = interruptTarget.load())
        progress->interrupt();
}

// While it lives, the first Ctrl-C asks the running process to stop at its
// next phase boundary; a second one ends the program at once, as usual.
class InterruptHandler
{
public:
    explicit InterruptHandler(Core::Operations::StepProgress &progress)
    {
        interruptTarget.store(&progress);
        struct sigaction action = {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND | SA_RESTART;
        sigaction(SIGINT, &action, &m_previous);
    }
    ~InterruptHandler()
    {
        sigaction(SIGINT, &m_previous, nullptr);
        interruptTarget.store(nullptr);
    }
    InterruptHandler(const InterruptHandler &) = delete;
    InterruptHandler &operator=(const InterruptHandler &) = delete;

private:
    struct sigaction m_previous = {};
};

} // namespace

BatchProgram::BatchProgram() = default;
BatchProgram::~BatchProgram() = default;

int BatchProgram::setUp(int &argc, char *argv[])
{
    QString error;
    if (!CommandLine::parse(argc, argv, m_line, &error)) {
        printError(error);
        std::fputs("Try 'tessival-batch --help'.\n", stderr);
        return BadCommandLine;
    }
    if (m_line.help) {
        std::fputs(CommandLine::usage().toLocal8Bit().constData(), stdout);
        return AllRan;
    }
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    verboseLog = m_line.verbose;
    Util::DebugLog::setEnabled(verboseLog);
    qInstallMessageHandler(logMessage);

    // The list decides whether the run draws images, and with it whether a
    // display is needed, so it is read before the application starts.
    Ui::ProcessListArchiver archiver(m_entries);
    if (!archiver.loadProcessList(m_line.listFile, m_entries)) {
        printError(QStringLiteral("%1: cannot be read as a process list: %2").arg(m_line.listFile, archiver.errorString()));
        return NothingWritten;
    }
    for (const QString &warning : archiver.warnings())
        printError(QStringLiteral("%1: %2").arg(m_line.listFile, warning));
    m_listSkipped = archiver.warnings().size();
    if (m_entries.empty())
        printError(QStringLiteral("%1: the list has no entries").arg(m_line.listFile));
    const std::list<Ui::ProcessData> listed = m_entries;
    if (!ParameterOverrides::apply(m_line.overrides, m_entries, &error)) {
        printError(error);
        return BadCommandLine;
    }
    const QString clash = listClash(m_line, m_entries);
    if (!clash.isEmpty()) {
        printError(clash);
        return BadCommandLine;
    }
    m_withDisplay = drawsImages(m_entries) && guiPlatformAvailable();
    m_application.reset(newApplication(argc, argv, m_withDisplay, !m_line.sections.empty()));
    if (m_line.threads > 0)
        QThreadPool::globalInstance()->setMaxThreadCount(m_line.threads);
    if (!outputWritable(m_line.outputFile, "document", &error)
        || (!m_line.netlistFile.isEmpty() && !outputWritable(m_line.netlistFile, "netlist", &error))
        || (!m_line.reportFile.isEmpty() && !outputWritable(m_line.reportFile, "report", &error))
        || !resultFoldersWritable(m_line, &error)) {
        printError(error);
        return NothingWritten;
    }
    // The catalogue names the materials and colours the images.
    const Model::Materials::MaterialFactory &catalogue = *Model::Materials::MaterialFactory::getInstance();

    m_context.reset(new Core::Operations::OperationContext);
    if (!openStartDocument())
        return NothingWritten;
    if (!m_line.lengthUnitText.isEmpty())
        m_context->document().setLengthUnit(m_line.lengthUnit);
    if (!m_line.reportFile.isEmpty()) {
        m_report.reset(new RunReport(arguments, catalogue));
        m_report->setFiles(m_line.listFile, m_line.startDocument, m_line.outputFile);
    }
    // Materials given by name are looked up once the start document has
    // brought its own into the catalogue.
    const Model::Automaton::TotalVolume *start =
        Model::Automaton::firstCellVolume(m_context->document().allObjects()).get();
    if (!ParameterOverrides::check(m_line.overrides, listed, m_entries, catalogue, start, &error)) {
        printError(error);
        return BadCommandLine;
    }
    if (!ResultFiles::materialIds(m_line.exportMaterials, catalogue, m_exportMaterials, &error)) {
        printError(error);
        return BadCommandLine;
    }
    if (!m_line.seriesFolder.isEmpty()) {
        m_series.reset(new Model::Export::StepSeries(m_line.seriesFolder));
        if (!m_series->prepare(&error)) {
            printError(error);
            return NothingWritten;
        }
    }
    const QString outside = ResultFiles(m_line.exports, m_line.sections)
                                .sectionOutOfRange(m_entries, Model::Automaton::firstCellVolume(
                                                                  m_context->document().allObjects())
                                                                  .get());
    if (!outside.isEmpty()) {
        printError(outside);
        return BadCommandLine;
    }
    prepareRunner();
    return Proceed;
}

bool BatchProgram::openStartDocument()
{
    if (m_line.startDocument.isEmpty())
        return true;
    Core::Operations::OperationContext &context = *m_context;
    context.consoleInput().addMessageObserver(
        boost::make_shared<StderrConsole>(context.consoleInput(), m_line.startDocument));
    const Core::Operations::DocumentFiles::Result opened =
        Core::Operations::DocumentFiles::open(m_line.startDocument, context);
    if (!opened.ok) {
        printError(QStringLiteral("%1: %2").arg(opened.errorTitle, opened.errorText));
        return false;
    }
    // The readers warned of each loss as they met it (on stderr, above),
    // except of missing cells. A run cannot ask whether to go on from
    // volumes read in part, and its result would look whole.
    if (opened.cellsIncomplete) {
        if (!opened.cellsLost.isEmpty())
            printError(QStringLiteral("%1: %2").arg(m_line.startDocument, opened.cellsLost));
        printError(QStringLiteral("%1: the document is damaged; nothing was run (open it in Tessival to keep what "
                                  "could be read)")
                       .arg(m_line.startDocument));
        return false;
    }
    // Only objects or values were left out: what was read is whole, and the
    // run goes on; the exit status tells that not all of the document came.
    m_startIncomplete = !opened.damage.isEmpty();
    return true;
}

void BatchProgram::prepareRunner()
{
    m_runner.reset(new Ui::BatchRunner(*m_context));
    m_runner->setVolume(Model::Automaton::firstCellVolume(m_context->document().allObjects()));
    m_runner->setInterrupter(&m_progress);
    if (m_withDisplay)
        m_runner->setImageSaver([this](const QString &fileName, QString *problem) {
            const Ui::SceneView view = Ui::SceneImage::framing(*m_runner->volume(), ImageSize);
            return Ui::SceneImage::save(m_context->document(), view, ImageSize, fileName, problem);
        });
    else
        m_runner->setImageSaver([](const QString &, QString *problem) {
            *problem = QStringLiteral("no OpenGL context is available: there is no display (run under xvfb-run "
                                      "to draw images without a screen)");
            return false;
        });
}

void BatchProgram::run()
{
    m_clock.start();
    const InterruptHandler interrupts(m_progress);
    ProgressReport progress(int(m_entries.size()), isatty(STDERR_FILENO) == 1, &m_progress);
    int number = 0;
    for (const Ui::ProcessData &entry : m_entries) {
        if (m_progress.wasInterrupted())
            break;
        ++number;
        if (!m_runner->canRun(entry)) {
            progress.message(QStringLiteral(
                "tessival-batch: %1: Missing Cell Volume: entry %2 (%3) needs a cell volume. No cell volume was "
                "selected and a cell volume was not created. The cell volume must be created before any other "
                "process.")
                                 .arg(m_line.listFile)
                                 .arg(number)
                                 .arg(Ui::ProcessData::shownName(entry.type())));
            m_missingVolume = true;
            return;
        }
        m_progress.clearReport();
        const QString name = Ui::ProcessData::shownName(entry.type());
        progress.started(number, name);
        if (m_report)
            m_report->entryStarting(m_runner->volume().get());
        QElapsedTimer entryClock;
        entryClock.start();
        const Ui::BatchRunner::Result result = m_runner->run(entry);
        if (m_report)
            m_report->entryEnded(number, name,
                                 result == Ui::BatchRunner::Done          ? QStringLiteral("done")
                                 : result == Ui::BatchRunner::Interrupted ? QStringLiteral("interrupted")
                                                                          : QStringLiteral("not run"),
                                 result == Ui::BatchRunner::Done ? QString() : m_runner->problem(),
                                 entryClock.nsecsElapsed() / 1e9, m_runner->volume().get());
        if (result == Ui::BatchRunner::Interrupted)
            progress.interrupted();
        else
            progress.finished(result == Ui::BatchRunner::Done ? QString() : m_runner->problem(), m_runner->remarks());
        if (verboseLog)
            for (const QString &note : m_runner->notes())
                progress.message(QStringLiteral("tessival-batch: entry %1 (%2): %3")
                                     .arg(number)
                                     .arg(Ui::ProcessData::shownName(entry.type()), note));
        if (result != Ui::BatchRunner::Done)
            ++m_notRun;
        if (result != Ui::BatchRunner::Interrupted)
            writeStep(number, entry, progress);
    }
    // Also when Ctrl-C came during a part of an entry that cannot stop
    // (a picture, a new substrate): the document would not be what the
    // list asks for.
    m_interrupted = m_progress.wasInterrupted();
    m_lastEntry = number;
}

int BatchProgram::report()
{
    if (m_missingVolume)
        return NothingWritten;
    const int count = int(m_entries.size());
    if (m_interrupted) {
        printError(QStringLiteral("interrupted at entry %1 of %2; nothing was written to %3")
                       .arg(m_lastEntry)
                       .arg(count)
                       .arg(m_line.outputFile));
        return Interrupted;
    }
    const Core::Operations::DocumentFiles::Result saved =
        Core::Operations::DocumentFiles::save(m_line.outputFile, *m_context);
    if (!saved.ok) {
        printError(QStringLiteral("%1: %2").arg(saved.errorTitle, saved.errorText));
        return NothingWritten;
    }
    QString summary = QStringLiteral("ran %1 of %2 entries in %3; wrote %4")
                          .arg(count - m_notRun)
                          .arg(count)
                          .arg(ProgressReport::seconds(m_clock.elapsed() / 1000.0), m_line.outputFile);
    if (m_notRun > 0)
        summary += QStringLiteral(" (%1 %2 not run, see above)").arg(m_notRun).arg(m_notRun == 1 ? "entry was" : "entries were");
    if (m_startIncomplete)
        summary += QStringLiteral("; parts of %1 were skipped (see above)").arg(m_line.startDocument);
    if (m_listSkipped > 0)
        summary += QStringLiteral("; %1 %2 of the list %3 not understood and skipped (see above)")
                       .arg(m_listSkipped)
                       .arg(m_listSkipped == 1 ? "element" : "elements", m_listSkipped == 1 ? "was" : "were");
    printError(summary);
    if (m_runner->volume())
        printError(describeVolume(*m_runner->volume(), *Model::Materials::MaterialFactory::getInstance()));
    const bool netlistWritten = m_line.netlistFile.isEmpty() || writeNetlist();
    const bool resultFilesWritten = writeResultFiles();
    if (m_seriesIncomplete)
        printError(QStringLiteral("not every step of the series in %1 was written (see above)").arg(m_line.seriesFolder));
    const int status = m_notRun == 0 && !m_startIncomplete && m_listSkipped == 0 && netlistWritten
                               && resultFilesWritten
                               && !m_seriesIncomplete
                           ? AllRan
                           : NotAllAsAsked;
    return writeReport(status) ? status : NotAllAsAsked;
}

bool BatchProgram::writeReport(int exitStatus)
{
    if (!m_report)
        return true;
    if (m_runner->volume())
        m_report->setVolume(*m_runner->volume());
    m_report->setLengthUnit(m_context->document().lengthUnit());
    QString problem;
    if (!m_report->write(m_line.reportFile, exitStatus, m_clock.elapsed() / 1000.0, &problem)) {
        printError(QStringLiteral("%1: not written: %2").arg(m_line.reportFile, problem));
        return false;
    }
    return true;
}

bool BatchProgram::writeNetlist()
{
    using namespace Model::ModelExtraction;
    if (m_report)
        m_report->setCantilevers(nullptr);
    if (!m_runner->volume()) {
        printError(QStringLiteral("%1: not written: the run has no cell volume to extract a model from")
                       .arg(m_line.netlistFile));
        return false;
    }
    EnvelopeList blocks = EnvelopeDecomposition::decompose(*m_runner->volume());
    EnvelopeDecomposition::link(blocks);
    CantileverModelRule rule(CellEdges::of(*m_runner->volume(), m_context->document().lengthUnit()));
    const boost::shared_ptr<IStructure> structure = rule.apply(blocks);
    if (!structure) {
        printError(QStringLiteral("%1: not written: no cantilever was found in the cell volume (%2 blocks)")
                       .arg(m_line.netlistFile)
                       .arg(blocks.size()));
        return false;
    }
    QString problem;
    const auto &cantilevers = *boost::static_pointer_cast<CantileverStructure>(structure);
    if (m_report)
        m_report->setCantilevers(&cantilevers);
    const QString text = m_line.subcircuit.isEmpty() ? cantilevers.netlist() : cantilevers.subcircuit(m_line.subcircuit);
    if (!NetlistFile::write(m_line.netlistFile, text, &problem)) {
        printError(QStringLiteral("%1: not written: %2").arg(m_line.netlistFile, problem));
        return false;
    }
    printError(QStringLiteral("wrote the netlist of %1 %2 to %3")
                   .arg(rule.cantilevers().size())
                   .arg(rule.cantilevers().size() == 1 ? "cantilever" : "cantilevers", m_line.netlistFile));
    reportBeams(cantilevers);
    return true;
}

void BatchProgram::reportBeams(const Model::ModelExtraction::CantileverStructure &structure)
{
    const Model::LengthUnit unit = m_context->document().lengthUnit();
    const auto shown = [&unit](double metres) { return unit.format(metres / unit.metres()); };
    const auto catalogue = Model::Materials::MaterialFactory::getInstance();
    int k = 0;
    for (const auto &beam : structure.beams()) {
        const QString name = Model::Export::ExportMaterial::of({beam.material}, *catalogue).front().name;
        QString line = QStringLiteral("beam %1: %2, %3 x %4 x %5 (length x width x thickness)")
                           .arg(++k)
                           .arg(name, shown(beam.length), shown(beam.width), shown(beam.thickness));
        if (beam.hasModel())
            line += QStringLiteral(", effective mass %1 kg, stiffness %2 N/m, first resonance %3 Hz")
                        .arg(QString::number(beam.effectiveMass, 'g', 4), QString::number(beam.stiffness(), 'g', 4),
                             QString::number(beam.resonance(), 'g', 4));
        else
            line += QStringLiteral(": left out of the netlist, the material catalogue gives it no density or no "
                                   "Young modulus");
        printError(line);
    }
}

void BatchProgram::writeStep(int number, const Ui::ProcessData &entry, ProgressReport &progress)
{
    if (!m_series || !m_runner->volume())
        return;
    QString problem;
    if (!m_series->add(number, Ui::ProcessData::shownName(entry.type()), *m_runner->volume(),
                       *Model::Materials::MaterialFactory::getInstance(), m_context->document().lengthUnit(),
                       &problem)) {
        progress.message(QStringLiteral("tessival-batch: step %1 of the series: %2").arg(number).arg(problem));
        m_seriesIncomplete = true;
    }
}

bool BatchProgram::writeResultFiles()
{
    ResultFiles files(m_line.exports, m_line.sections);
    files.setExportMaterials(m_exportMaterials);
    return files.write(m_runner->volume().get(), *Model::Materials::MaterialFactory::getInstance(),
               m_context->document().lengthUnit());
}

} // namespace BatchTool
