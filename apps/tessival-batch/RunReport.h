#pragma once

#include "Model/LengthUnit.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}
namespace Materials {
class MaterialFactory;
}
namespace ModelExtraction {
class CantileverStructure;
}
} // namespace Model

namespace BatchTool {

// What --report writes: a JSON file that lets a study compare runs without
// opening their documents. Its keys are described by
// apps/tessival-batch/run-report.schema.json; a change to them is a new
// format_version.
class RunReport
{
public:
    static constexpr int FormatVersion = 1;

    RunReport(const QStringList &commandLine, const Model::Materials::MaterialFactory &catalogue);

    void setFiles(const QString &list, const QString &startDocument, const QString &document);
    void setLengthUnit(const Model::LengthUnit &unit) { m_unit = unit; }

    // Keeps the cells of `volume` (null: none yet) to compare with after
    // the entry.
    void entryStarting(Model::Automaton::TotalVolume *volume);
    // `result` is "done", "not run" or "interrupted"; `problem` says why an
    // entry did not run.
    void entryEnded(int number, const QString &name, const QString &result, const QString &problem, double seconds,
                    Model::Automaton::TotalVolume *volume);
    void setVolume(Model::Automaton::TotalVolume &volume);
    // Only for runs asked for a netlist; without it the key is left out.
    void setCantilevers(const Model::ModelExtraction::CantileverStructure *structure);

    QByteArray json(int exitStatus, double seconds) const;
    // Replaces `path` whole or leaves it as it was.
    bool write(const QString &path, int exitStatus, double seconds, QString *error) const;

private:
    QString nameOf(std::uint32_t material) const;

    QStringList m_commandLine;
    const Model::Materials::MaterialFactory &m_catalogue;
    QString m_list;
    QString m_startDocument;
    QString m_document;
    Model::LengthUnit m_unit;
    std::vector<std::uint32_t> m_before; // the cells before the running entry
    QJsonArray m_entries;
    QJsonObject m_volume;
    bool m_hasVolume = false;
    QJsonArray m_cantilevers;
    bool m_hasCantilevers = false;
};

} // namespace BatchTool
