#include "Model/Geometry/CellGrid.h"

#include "Model/Automaton/TotalVolume.h"

namespace Model {
namespace Geometry {

CellGrid CellGrid::of(const Automaton::TotalVolume &volume, const Automaton::Voxel *cells,
                      const Automaton::CellRange &range)
{
    CellGrid grid;
    grid.cells = cells;
    grid.size = {int(volume.sizeX()), int(volume.sizeY()), int(volume.sizeZ())};
    grid.cellSize = {volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()};
    grid.range = range.clampedTo(volume.sizeX(), volume.sizeY(), volume.sizeZ());
    return grid;
}

} // namespace Geometry
} // namespace Model
