#include "apps/tessival-batch/ResultFiles.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Export/VolumeExport.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/BatchRun/BatchRunner.h"
#include "UI/View/CrossSectionImage.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace BatchTool {

namespace {

void say(const QString &text)
{
    std::fprintf(stderr, "tessival-batch: %s\n", text.toLocal8Bit().constData());
}

QString sizeText(qint64 bytes)
{
    if (bytes < 10 * 1024)
        return QStringLiteral("%1 bytes").arg(bytes);
    if (bytes < 10 * 1024 * 1024)
        return QStringLiteral("%1 kB").arg(bytes / 1024);
    return QStringLiteral("%1 MB").arg(bytes / (1024 * 1024));
}

} // namespace

ResultFiles::ResultFiles(const QStringList &exports, const std::vector<SectionRequest> &sections)
    : m_exports(exports)
    , m_sections(sections)
{
}

bool ResultFiles::materialIds(const QStringList &given, const Model::Materials::MaterialFactory &catalogue,
                              std::vector<std::uint32_t> &ids, QString *error)
{
    const std::vector<Model::Materials::Material> known = catalogue.getMaterials();
    for (const QString &name : given) {
        bool isNumber = false;
        const std::uint32_t number = name.toUInt(&isNumber);
        const auto found = std::find_if(known.begin(), known.end(), [&](const Model::Materials::Material &material) {
            return material.name() == name || (isNumber && material.id() == number);
        });
        if (found == known.end()) {
            QStringList names;
            for (const Model::Materials::Material &material : known)
                names << material.name();
            *error = QStringLiteral("--export-materials: the material catalogue has no material \"%1\" (it has: %2)")
                         .arg(name, names.join(QStringLiteral(", ")));
            return false;
        }
        ids.push_back(found->id());
    }
    return true;
}

QStringList ResultFiles::files() const
{
    QStringList all = m_exports;
    for (const SectionRequest &section : m_sections)
        all.append(section.file);
    return all;
}

QString ResultFiles::sectionOutOfRange(const std::list<Ui::ProcessData> &entries,
                                       const Model::Automaton::TotalVolume *start) const
{
    const Ui::BatchRunner::VolumeSize size = Ui::BatchRunner::plannedSizes(entries, start).back();
    if (!size.known())
        return QString();
    const std::array<unsigned, 3> cellsAlong{size.x, size.y, size.z};
    for (const SectionRequest &section : m_sections) {
        const unsigned cells = cellsAlong[std::size_t(section.axis)];
        if (unsigned(section.index) >= cells)
            return QStringLiteral("--section %1: the resulting cell volume has %2 cells along %3 (0 to %4)")
                .arg(section.describe())
                .arg(cells)
                .arg(QLatin1Char("xyz"[section.axis]))
                .arg(int(cells) - 1);
    }
    return QString();
}

bool ResultFiles::write(Model::Automaton::TotalVolume *volume, const Model::Materials::MaterialFactory &catalogue,
                        const Model::LengthUnit &unit) const
{
    bool all = true;
    for (const QString &file : m_exports) {
        if (!volume) {
            say(QStringLiteral("%1: not written: the run has no cell volume to export").arg(file));
            all = false;
            continue;
        }
        const Model::Export::VolumeExport::Result result = Model::Export::VolumeExport::write(file, *volume, catalogue, unit,
                                                                                                 m_exportMaterials);
        if (result.ok)
            say(QStringLiteral("exported the cell volume to %1%2 (%3)")
                    .arg(file,
                         result.files.isEmpty() ? QString()
                                                : QStringLiteral(" and %1 more %2 beside it")
                                                      .arg(result.files.size())
                                                      .arg(result.files.size() == 1 ? "file" : "files"),
                         sizeText(result.bytes)));
        else
            say(result.error);
        all = all && result.ok;
    }
    for (const SectionRequest &section : m_sections) {
        QString problem;
        if (!volume)
            problem = QStringLiteral("%1: not written: the run has no cell volume to cut").arg(section.file);
        else if (Ui::CrossSectionImage::save(*volume, section.axis, section.index, catalogue, unit, section.file,
                                              &problem))
            say(QStringLiteral("drew the section %1 to %2").arg(section.describe(), section.file));
        if (!problem.isEmpty()) {
            say(problem);
            all = false;
        }
    }
    return all;
}

} // namespace BatchTool
