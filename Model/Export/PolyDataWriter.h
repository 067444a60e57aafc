#pragma once

#include "Model/Export/ExportMaterial.h"

#include <vector>

class QIODevice;

namespace Model {
namespace Geometry {
struct MaterialSurfaces;
}

namespace Export {

// "*.vtp": the material surfaces as VTK XML polygonal data, triangles body
// after body, each with its material id in the cell array "material"; the
// field data names and colours the materials.
class PolyDataWriter
{
public:
    // `materials` holds one entry per body, in body order. False when the
    // device refused a write or the surface has more points or corners than
    // the file's 32-bit indices can count.
    static bool write(QIODevice &device, const Geometry::MaterialSurfaces &surfaces,
                      const std::vector<ExportMaterial> &materials, double metresPerUnit);
};

} // namespace Export
} // namespace Model
