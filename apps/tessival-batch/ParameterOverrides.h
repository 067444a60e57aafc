#pragma once

#include "UI/BatchRun/ProcessData.h"
#include "apps/tessival-batch/ResultOptions.h"

#include <QString>
#include <QVariant>

#include <list>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}
namespace Materials {
class MaterialFactory;
}
}

namespace BatchTool {

// "--set": runs the list with some parameters changed, without editing the
// file, so that a shell loop can sweep a parameter. Every value is checked
// before anything runs, in two parts: the first needs only the list, the
// second the material catalogue as the start document leaves it.
namespace ParameterOverrides {

// Gives the entries the new values, in command-line order. False with the
// reason, naming the setting, for an entry the list does not have, a
// parameter neither the entry nor its process has, a value that does not
// read as the type the parameter is stored with, or a number outside the
// range its process declares for it; the list is then unchanged. A file
// given by a relative name is taken in the current folder. What a new
// value makes stale and the settings do not set (the flags drawn from a
// mask file another one replaces) is taken out of the entry.
bool apply(const std::vector<ParameterOverride> &overrides, std::list<Ui::ProcessData> &entries, QString *error);

// After apply: makes each material choice that a setting gave a name or an
// id the catalogue's material of that name or id, and reads every entry a
// setting changed as its run will, on the volume the list will give it
// from `start` (which may be null). False with the reason, naming the
// settings, for a material the catalogue lacks or an entry that could run
// as `listed` but not as `entries` (or fails differently): also a mask
// file that cannot be read, lacks the cell or layer asked for, or covers
// no column of the volume.
bool check(const std::vector<ParameterOverride> &overrides, const std::list<Ui::ProcessData> &listed,
           std::list<Ui::ProcessData> &entries, const Model::Materials::MaterialFactory &catalogue,
           const Model::Automaton::TotalVolume *start, QString *error);

// `text` read as the type of `stored`; invalid when it does not read as
// one, with what was expected in `expected`.
QVariant read(const QVariant &stored, const QString &text, QString *expected);

} // namespace ParameterOverrides
} // namespace BatchTool
