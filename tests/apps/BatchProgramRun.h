#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <string>

namespace TestSupport {

// One run of the batch program in a folder, with what it printed.
struct BatchProgramRun
{
    int exitCode = -1;
    bool crashed = false;
    QString out;
    QString err;

    // The exit status and what the program said, for a failed expectation.
    std::string describe() const { return "exit " + std::to_string(exitCode) + "\nstderr:\n" + err.toStdString(); }

    // `display` false hides any display from the program; `environment`
    // holds extra NAME=VALUE settings.
    static BatchProgramRun start(const QString &folder, const QStringList &arguments, bool display = false,
                                 const QStringList &settings = {})
    {
        QProcess process;
        process.setWorkingDirectory(folder);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!display) {
            environment.remove(QStringLiteral("DISPLAY"));
            environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
            environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        }
        for (const QString &setting : settings)
            environment.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TESSIVAL_BATCH_PROGRAM), arguments);
        BatchProgramRun run;
        if (!process.waitForFinished(300000)) {
            process.kill();
            process.waitForFinished();
            run.crashed = true;
        }
        run.crashed = run.crashed || process.exitStatus() != QProcess::NormalExit;
        run.exitCode = process.exitCode();
        run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        run.err = QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }
};

inline QString exampleList(const char *name)
{
    return QStringLiteral(TESSIVAL_EXAMPLES_DIR "/") + QLatin1String(name);
}

} // namespace TestSupport
