#pragma once

#include <QString>

namespace Model {
namespace Export {

// Names of materials and processes as parts of file names that every file
// system takes and every shell passes unquoted: ASCII letters, digits and
// "-", "_", "+" and "."; every run of other characters becomes one "_",
// and none is left at either end ("Al (bulk)" becomes "Al_bulk").
class SafeFileName
{
public:
    // `fallback` when nothing of `name` is left.
    static QString part(const QString &name, const QString &fallback);
};

} // namespace Export
} // namespace Model
