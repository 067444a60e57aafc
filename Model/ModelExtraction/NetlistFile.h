#pragma once

#include <QString>

namespace Model {
namespace ModelExtraction {

// Writes a netlist so that a failed write never leaves a truncated file in
// place of an earlier one.
class NetlistFile
{
public:
    // False with the reason in `error` when the file cannot be written.
    static bool write(const QString &path, const QString &text, QString *error = nullptr);
};

} // namespace ModelExtraction
} // namespace Model
