#pragma once

class QIODevice;

namespace Model {
namespace Geometry {
struct MaterialSurfaces;
}

namespace Export {

// "*.stl": the material surfaces as binary STL, triangles body after body.
// The format has no names; each triangle's 16-bit attribute holds the id of
// its body's material (65535 for larger ids), which lets the bodies be
// told apart and meshed one by one.
class StlWriter
{
public:
    // The header also says how many metres a coordinate unit is. False
    // when the device refused a write.
    static bool write(QIODevice &device, const Geometry::MaterialSurfaces &surfaces, double metresPerUnit);
};

} // namespace Export
} // namespace Model
