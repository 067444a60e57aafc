#pragma once

#include <QString>

namespace Model {
namespace Automaton {
class TotalVolume;
}
namespace Materials {
class MaterialFactory;
}
}

namespace BatchTool {

// One line saying what a cell volume holds: its size and the number of
// cells of each material, by name, in id order. A material the catalogue
// lacks is "Material <id>", as the exports name it.
QString describeVolume(Model::Automaton::TotalVolume &volume, const Model::Materials::MaterialFactory &catalogue);

} // namespace BatchTool
