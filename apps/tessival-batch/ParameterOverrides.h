#pragma once

#include "UI/BatchRun/ProcessData.h"
#include "apps/tessival-batch/ResultOptions.h"

#include <QString>
#include <QVariant>

#include <list>
#include <vector>

namespace BatchTool {

// "--set": runs the list with some parameters changed, without editing the
// file, so that a shell loop can sweep a parameter.
namespace ParameterOverrides {

// Gives the entries the new values, in command-line order. False with the
// reason, naming the setting, for an entry the list does not have, a
// parameter the entry does not have, or a value that does not read as the
// type the parameter is stored with; the list is then unchanged.
bool apply(const std::vector<ParameterOverride> &overrides, std::list<Ui::ProcessData> &entries, QString *error);

// `text` read as the type of `stored`; invalid when it does not read as
// one, with what was expected in `expected`.
QVariant read(const QVariant &stored, const QString &text, QString *expected);

} // namespace ParameterOverrides
} // namespace BatchTool
