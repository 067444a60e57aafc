// The batch program: runs a process list on one cell volume without a
// window and writes the resulting document.
#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/CellVolumes.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/BatchRun/BatchRunner.h"
#include "UI/BatchRun/ProcessListArchiver.h"
#include "UI/View/SceneImage.h"
#include "Util/IObserver.h"
#include "apps/tessival-batch/CommandLine.h"
#include "apps/tessival-batch/DisplayProbe.h"
#include "apps/tessival-batch/DocumentSummary.h"
#include "apps/tessival-batch/ProgressReport.h"
#include "Util/DebugLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QThreadPool>

#include <boost/make_shared.hpp>

#include <cstdio>
#include <list>
#include <memory>

#include <unistd.h>

namespace {

using namespace BatchTool;

enum ExitStatus { AllRan = 0, SomeNotRun = 1, BadCommandLine = 2, NothingWritten = 3 };

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

bool drawsImages(const std::list<Ui::ProcessData> &entries)
{
    for (const Ui::ProcessData &entry : entries)
        if (entry.type() == Ui::ProcessData::SaveImage && !entry.parameter(QStringLiteral("Filename")).toString().isEmpty())
            return true;
    return false;
}

// A folder to write into, checked before a long run rather than after it.
bool outputWritable(const QString &path, QString *problem)
{
    const QFileInfo file(path);
    if (file.isDir()) {
        *problem = QStringLiteral("%1: is a folder, not a document").arg(path);
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

} // namespace

int main(int argc, char *argv[])
{
    CommandLine line;
    QString error;
    if (!CommandLine::parse(argc, argv, line, &error)) {
        printError(error);
        std::fputs("Try 'tessival-batch --help'.\n", stderr);
        return BadCommandLine;
    }
    if (line.help) {
        std::fputs(CommandLine::usage().toLocal8Bit().constData(), stdout);
        return AllRan;
    }
    verboseLog = line.verbose;
    Util::DebugLog::setEnabled(verboseLog);
    qInstallMessageHandler(logMessage);

    // The list decides whether the run draws images, and with it whether a
    // display is needed, so it is read before the application starts.
    std::list<Ui::ProcessData> entries;
    Ui::ProcessListArchiver archiver(entries);
    if (!archiver.loadProcessList(line.listFile, entries)) {
        printError(QStringLiteral("%1: cannot be read as a process list: %2").arg(line.listFile, archiver.errorString()));
        return NothingWritten;
    }
    if (entries.empty())
        printError(QStringLiteral("%1: the list has no entries").arg(line.listFile));
    const bool withDisplay = drawsImages(entries) && guiPlatformAvailable();
    const std::unique_ptr<QCoreApplication> application(withDisplay ? new QGuiApplication(argc, argv)
                                                                    : new QCoreApplication(argc, argv));
    if (line.threads > 0)
        QThreadPool::globalInstance()->setMaxThreadCount(line.threads);
    if (!outputWritable(line.outputFile, &error)) {
        printError(error);
        return NothingWritten;
    }
    // The catalogue names the materials and colours the images.
    Model::Materials::MaterialFactory::getInstance();

    Core::Operations::OperationContext context;
    if (!line.startDocument.isEmpty()) {
        context.consoleInput().addMessageObserver(
            boost::make_shared<StderrConsole>(context.consoleInput(), line.startDocument));
        const Core::Operations::DocumentFiles::Result opened =
            Core::Operations::DocumentFiles::open(line.startDocument, context);
        if (!opened.ok) {
            printError(QStringLiteral("%1: %2").arg(opened.errorTitle, opened.errorText));
            return NothingWritten;
        }
        // A run cannot ask whether to go on from a document read in part,
        // and its result would look whole.
        if (!opened.damage.isEmpty()) {
            for (const QString &loss : opened.damage)
                printError(QStringLiteral("%1: %2").arg(line.startDocument, loss));
            printError(QStringLiteral("%1: the document is damaged; nothing was run (open it in Tessival to keep "
                                      "what could be read)")
                           .arg(line.startDocument));
            return NothingWritten;
        }
    }

    Ui::BatchRunner runner(context);
    runner.setVolume(Model::Automaton::firstCellVolume(context.document().allObjects()));
    if (withDisplay)
        runner.setImageSaver([&](const QString &fileName, QString *problem) {
            const Ui::SceneView view = Ui::SceneImage::framing(*runner.volume(), ImageSize);
            return Ui::SceneImage::save(context.document(), view, ImageSize, fileName, problem);
        });
    else
        runner.setImageSaver([](const QString &, QString *problem) {
            *problem = QStringLiteral("no OpenGL context is available: there is no display (run under xvfb-run "
                                      "to draw images without a screen)");
            return false;
        });

    QElapsedTimer clock;
    clock.start();
    int number = 0;
    int notRun = 0;
    {
        ProgressReport progress(int(entries.size()), isatty(STDERR_FILENO) == 1);
        for (const Ui::ProcessData &entry : entries) {
            ++number;
            if (!runner.canRun(entry)) {
                progress.message(QStringLiteral(
                    "tessival-batch: %1: Missing Cell Volume: entry %2 (%3) needs a cell volume. No cell volume was "
                    "selected and a cell volume was not created. The cell volume must be created before any other "
                    "process.")
                                     .arg(line.listFile)
                                     .arg(number)
                                     .arg(Ui::ProcessData::shownName(entry.type())));
                return NothingWritten;
            }
            progress.started(number, Ui::ProcessData::shownName(entry.type()));
            const Ui::BatchRunner::Result result = runner.run(entry);
            progress.finished(result == Ui::BatchRunner::Done ? QString() : runner.problem());
            if (result != Ui::BatchRunner::Done)
                ++notRun;
        }
    }

    const Core::Operations::DocumentFiles::Result saved = Core::Operations::DocumentFiles::save(line.outputFile, context);
    if (!saved.ok) {
        printError(QStringLiteral("%1: %2").arg(saved.errorTitle, saved.errorText));
        return NothingWritten;
    }
    const int count = int(entries.size());
    QString summary = QStringLiteral("ran %1 of %2 entries in %3; wrote %4")
                          .arg(count - notRun)
                          .arg(count)
                          .arg(ProgressReport::seconds(clock.elapsed() / 1000.0), line.outputFile);
    if (notRun > 0)
        summary += QStringLiteral(" (%1 %2 not run, see above)").arg(notRun).arg(notRun == 1 ? "entry was" : "entries were");
    printError(summary);
    if (runner.volume())
        printError(describeVolume(*runner.volume(), *Model::Materials::MaterialFactory::getInstance()));
    return notRun == 0 ? AllRan : SomeNotRun;
}
