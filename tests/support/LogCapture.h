#pragma once

#include <QString>
#include <QStringList>

namespace TestSupport {

// Collects the program's log lines (qDebug, qWarning, ...) while it exists,
// so tests can check that a failure was reported.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QStringList messages() const;
    bool contains(const QString &text) const;

    // Installed by the test main: keeps debug lines quiet unless
    // TESSIVAL_TEST_VERBOSE is set, and feeds the active capture.
    static void installHandler();
};

} // namespace TestSupport
