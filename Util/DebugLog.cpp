#include "Util/DebugLog.h"

#include <QtGlobal>

// Info, warnings and errors pass by default; debug lines only when enabled.
Q_LOGGING_CATEGORY(tessivalLog, "tessival", QtInfoMsg)

namespace Util {
namespace DebugLog {

void setEnabled(bool on)
{
    // Qt's QT_LOGGING_RULES, read after these rules, still has the last word.
    QLoggingCategory::setFilterRules(on ? QStringLiteral("tessival.debug=true") : QStringLiteral("tessival.debug=false"));
}

void enableFromEnvironment()
{
    const QByteArray value = qgetenv(EnvironmentVariable);
    if (!value.isEmpty() && value != "0")
        setEnabled(true);
}

} // namespace DebugLog
} // namespace Util
