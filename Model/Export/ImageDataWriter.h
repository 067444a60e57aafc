#pragma once

#include "Model/Export/ExportMaterial.h"

#include <array>
#include <vector>

class QIODevice;

namespace Model {
namespace Geometry {
struct CellGrid;
}

namespace Export {

// "*.vti": the cells as VTK XML image data. The grid's origin is the
// volume's position and its spacing the cell sizes; each cell carries its
// material id in the cell array "material" (0 for empty cells), and the
// field data names and colours the materials that occur.
class ImageDataWriter
{
public:
    // Writes the grid's whole volume; `materials` are those of its cells,
    // ascending. False when the device refused a write.
    static bool write(QIODevice &device, const Geometry::CellGrid &grid, const std::array<double, 3> &origin,
                      const std::vector<ExportMaterial> &materials, double metresPerUnit);
};

} // namespace Export
} // namespace Model
