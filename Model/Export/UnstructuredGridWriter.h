#pragma once

#include "Model/Export/ExportMaterial.h"

#include <array>
#include <vector>

class QIODevice;

namespace Model {
namespace Export {

class HexahedralMesh;

// "*.vtu": the cells as VTK XML unstructured grid of hexahedra over shared
// points, each with its material id in the cell array "material" and its
// colour in "material_rgb"; the field data names and colours the materials
// as in "*.vti", but for the names: meshio reads no string arrays, so they
// are the same bytes as an UInt8 array, each name ended by a 0. Points are
// 64-bit, so a volume far from the origin keeps
// its corners apart as long as the doubles do.
class UnstructuredGridWriter
{
public:
    // `materials` are those of the mesh, ascending. False when the device
    // refused a write.
    static bool write(QIODevice &device, const HexahedralMesh &mesh, const std::array<double, 3> &origin,
                      const std::array<double, 3> &cellSize, const std::vector<ExportMaterial> &materials,
                      double metresPerUnit);
};

} // namespace Export
} // namespace Model
