#pragma once

#include "Model/Export/ExportMaterial.h"

#include <array>
#include <vector>

class QIODevice;

namespace Model {
namespace Export {

class HexahedralMesh;

// "*.msh": the cells as a gmsh mesh (format 4.1, text) of hexahedra over
// shared nodes, what a finite-element solver takes with its boundary
// conditions: one physical volume per material, tagged with its material
// id and named after it, and physical surfaces of quadrangles for the
// faces between each pair of touching materials ("Si / SiO2") and for each
// material's faces towards nothing ("Si / outside": empty cells or the
// volume's bounds), each facing out of the first material named.
class GmshMeshWriter
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
