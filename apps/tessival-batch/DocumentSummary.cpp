#include "apps/tessival-batch/DocumentSummary.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"

#include <QStringList>

#include <map>

namespace BatchTool {

QString describeVolume(Model::Automaton::TotalVolume &volume, const Model::Materials::MaterialFactory &catalogue)
{
    std::map<std::uint32_t, std::size_t> cells;
    for (const std::uint32_t material : volume.materials())
        ++cells[material];
    QStringList parts;
    for (const auto &count : cells) {
        if (count.first == 0) {
            parts << QStringLiteral("%1 empty").arg(count.second);
            continue;
        }
        QString name = catalogue.getMaterial(count.first).name();
        if (name.isEmpty())
            name = QStringLiteral("material %1").arg(count.first);
        parts << QStringLiteral("%1 %2").arg(count.second).arg(name);
    }
    return QStringLiteral("cell volume of %1 x %2 x %3 cells: %4")
        .arg(volume.sizeX())
        .arg(volume.sizeY())
        .arg(volume.sizeZ())
        .arg(parts.join(QStringLiteral(", ")));
}

} // namespace BatchTool
