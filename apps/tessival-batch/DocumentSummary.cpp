#include "apps/tessival-batch/DocumentSummary.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Export/ExportMaterial.h"

#include <QStringList>

#include <map>

namespace BatchTool {

namespace {

QString nameOf(const Model::Export::ExportMaterial &material)
{
    return material.name.isEmpty() ? QStringLiteral("Material %1").arg(material.id) : material.name;
}

} // namespace

QString describeVolume(Model::Automaton::TotalVolume &volume, const Model::Materials::MaterialFactory &catalogue)
{
    std::map<std::uint32_t, std::size_t> cells;
    for (const std::uint32_t material : volume.materials())
        ++cells[material];
    std::vector<std::uint32_t> ids;
    for (const auto &count : cells)
        if (count.first != 0)
            ids.push_back(count.first);
    // Named as the exports and the legend name them, so that a material the
    // catalogue lacks is still told apart from the empty cells.
    const std::vector<Model::Export::ExportMaterial> named = Model::Export::ExportMaterial::of(ids, catalogue);
    QStringList parts;
    auto name = named.begin();
    for (const auto &count : cells) {
        if (count.first == 0)
            parts << QStringLiteral("%1 empty").arg(count.second);
        else
            parts << QStringLiteral("%1 %2").arg(count.second).arg(nameOf(*name++));
    }
    return QStringLiteral("cell volume of %1 x %2 x %3 cells: %4")
        .arg(volume.sizeX())
        .arg(volume.sizeY())
        .arg(volume.sizeZ())
        .arg(parts.join(QStringLiteral(", ")));
}

} // namespace BatchTool
