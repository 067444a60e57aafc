#include "LogCapture.h"

#include <QMutex>
#include <QMutexLocker>
#include <QtGlobal>

#include <cstdio>

namespace TestSupport {

namespace {

QMutex mutex;
QStringList *active = nullptr;
bool verbose = false;

void handler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    {
        QMutexLocker lock(&mutex);
        if (active)
            active->append(message);
    }
    if (type != QtDebugMsg || verbose)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

LogCapture::LogCapture()
{
    QMutexLocker lock(&mutex);
    active = new QStringList;
}

LogCapture::~LogCapture()
{
    QMutexLocker lock(&mutex);
    delete active;
    active = nullptr;
}

QStringList LogCapture::messages() const
{
    QMutexLocker lock(&mutex);
    return active ? *active : QStringList();
}

bool LogCapture::contains(const QString &text) const
{
    for (const QString &message : messages())
        if (message.contains(text))
            return true;
    return false;
}

void LogCapture::installHandler()
{
    verbose = qEnvironmentVariableIsSet("TESSIVAL_TEST_VERBOSE");
    qInstallMessageHandler(handler);
}

} // namespace TestSupport
