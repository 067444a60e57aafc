#pragma once

#include <QLoggingCategory>

// The program's diagnostics and timings: off unless asked for, so that a
// session's terminal shows only warnings and errors. TESSIVAL_DEBUG=1 (or
// Qt's own QT_LOGGING_RULES="tessival.debug=true") switches them on.
Q_DECLARE_LOGGING_CATEGORY(tessivalLog)

namespace Util {
namespace DebugLog {

// The name of the environment variable that switches the debug lines on.
constexpr const char *EnvironmentVariable = "TESSIVAL_DEBUG";

void setEnabled(bool on);
// On when TESSIVAL_DEBUG is set to anything but "0" or an empty text.
void enableFromEnvironment();

} // namespace DebugLog
} // namespace Util
