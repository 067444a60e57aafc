#include "Model/Automaton/MaterialMeasures.h"

#include <algorithm>
#include <map>

namespace Model {
namespace Automaton {

namespace {

void include(MaterialMeasure &measure, const unsigned cell[3])
{
    for (int axis = 0; axis < 3; ++axis) {
        if (measure.cells == 0 || cell[axis] < measure.first[axis])
            measure.first[axis] = cell[axis];
        if (measure.cells == 0 || cell[axis] > measure.last[axis])
            measure.last[axis] = cell[axis];
    }
    ++measure.cells;
}

void includeColumnTop(MaterialMeasure &measure, unsigned top, bool firstColumn)
{
    measure.lowestTop = firstColumn ? top : std::min(measure.lowestTop, top);
    measure.highestTop = firstColumn ? top : std::max(measure.highestTop, top);
}

} // namespace

std::vector<MaterialMeasure> measureMaterials(const std::vector<std::uint32_t> &materials, const CellSizes &sizes)
{
    std::map<std::uint32_t, MaterialMeasure> measures;
    std::map<std::uint32_t, unsigned> columnTops; // of the column being walked
    std::size_t index = 0;
    for (unsigned x = 0; x < sizes.x; ++x) {
        for (unsigned y = 0; y < sizes.y; ++y) {
            columnTops.clear();
            // A column holds few materials, each in runs: the map is only
            // searched where the material changes.
            MaterialMeasure *run = nullptr;
            unsigned runTop = 0;
            for (unsigned z = 0; z < sizes.z; ++z, ++index) {
                const std::uint32_t material = materials[index];
                if (material == 0)
                    continue;
                if (!run || material != run->material) {
                    if (run)
                        columnTops[run->material] = runTop;
                    run = &measures[material];
                    run->material = material;
                }
                const unsigned cell[3] = {x, y, z};
                include(*run, cell);
                runTop = z + 1;
            }
            if (run)
                columnTops[run->material] = runTop;
            for (const auto &top : columnTops) {
                MaterialMeasure &measure = measures[top.first];
                // The column's first cell of the material was just counted
                // if the material had no cell before this column.
                const bool firstColumn = measure.highestTop == 0;
                includeColumnTop(measure, top.second, firstColumn);
            }
        }
    }
    std::vector<MaterialMeasure> result;
    result.reserve(measures.size());
    for (const auto &measure : measures)
        result.push_back(measure.second);
    return result;
}

std::vector<MaterialChange> materialChanges(const std::vector<std::uint32_t> &before,
                                            const std::vector<std::uint32_t> &after)
{
    std::map<std::uint32_t, MaterialChange> changes;
    const auto change = [&changes](std::uint32_t material) -> MaterialChange & {
        MaterialChange &c = changes[material];
        c.material = material;
        return c;
    };
    if (before.size() != after.size()) {
        for (const std::uint32_t material : after)
            ++change(material).gained;
    } else {
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (before[i] == after[i])
                continue;
            ++change(before[i]).lost;
            ++change(after[i]).gained;
        }
    }
    std::vector<MaterialChange> result;
    result.reserve(changes.size());
    for (const auto &c : changes)
        result.push_back(c.second);
    return result;
}

} // namespace Automaton
} // namespace Model
