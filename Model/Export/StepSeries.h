#pragma once

#include "Model/LengthUnit.h"

#include <QString>

#include <utility>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}
namespace Materials {
class MaterialFactory;
}

namespace Export {

// The cell volume after each entry of a process list, to step through the
// flow in a viewer: "step-NNN-<name>.vti" per entry (NNN its number in the
// list, <name> its process) and "flow.pvd", the collection that lists them
// with the entry number as their time. The collection is rewritten after
// every step, so a run that ends early still leaves one that opens.
class StepSeries
{
public:
    explicit StepSeries(const QString &folder);

    const QString &folder() const { return m_folder; }
    // Makes the folder if it is missing; false with the reason when it
    // cannot be made or written to.
    bool prepare(QString *problem) const;

    static QString stepFileName(int entry, const QString &processName);
    static QString collectionFileName() { return QStringLiteral("flow.pvd"); }
    // What every step file's name starts and ends with, for the checks that
    // no other output replaces one.
    static QString stepFilePrefix() { return QStringLiteral("step-"); }
    static QString stepFileSuffix() { return QStringLiteral(".vti"); }

    // Writes the volume as it is after entry `entry` (from 1), then the
    // collection; false with the reason when either was not written.
    bool add(int entry, const QString &processName, Automaton::TotalVolume &volume,
             const Materials::MaterialFactory &catalogue, const LengthUnit &unit, QString *problem);

    // The steps written so far: entry number and file name.
    const std::vector<std::pair<int, QString>> &steps() const { return m_steps; }

private:
    bool writeCollection(QString *problem) const;

    QString m_folder;
    std::vector<std::pair<int, QString>> m_steps;
};

} // namespace Export
} // namespace Model
