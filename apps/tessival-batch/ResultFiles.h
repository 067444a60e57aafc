#pragma once

#include "UI/BatchRun/ProcessData.h"
#include "apps/tessival-batch/ResultOptions.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <list>
#include <vector>

namespace Model {
class LengthUnit;
namespace Automaton {
class TotalVolume;
}
namespace Materials {
class MaterialFactory;
}
}

namespace BatchTool {

// The files written from the resulting cell volume besides the document:
// the exports ("--export") and the cross-section pictures ("--section").
class ResultFiles
{
public:
    ResultFiles(const QStringList &exports, const std::vector<SectionRequest> &sections);

    // The materials the exports hold (ids); none: all of them.
    void setExportMaterials(const std::vector<std::uint32_t> &materials) { m_exportMaterials = materials; }
    // The ids of materials given by catalogue name or id, in the catalogue
    // `catalogue`; false with the first one it does not have.
    static bool materialIds(const QStringList &given, const Model::Materials::MaterialFactory &catalogue,
                            std::vector<std::uint32_t> &ids, QString *error);

    bool isEmpty() const { return m_exports.isEmpty() && m_sections.empty(); }
    bool drawsSections() const { return !m_sections.empty(); }
    // Every file, for the checks of their folders before the run.
    QStringList files() const;

    // Before the run: the first section whose plane lies outside the volume
    // the run will end with, as far as that can be told from the list (see
    // BatchRunner::plannedSizes); empty when none does or the size cannot
    // be told.
    QString sectionOutOfRange(const std::list<Ui::ProcessData> &entries,
                              const Model::Automaton::TotalVolume *start) const;

    // After the run: writes every file, reporting each on stderr; false when
    // one could not be made.
    // Lengths leave in `unit`, the document's.
    bool write(Model::Automaton::TotalVolume *volume, const Model::Materials::MaterialFactory &catalogue,
               const Model::LengthUnit &unit) const;

private:
    QStringList m_exports;
    std::vector<SectionRequest> m_sections;
    std::vector<std::uint32_t> m_exportMaterials;
};

} // namespace BatchTool
