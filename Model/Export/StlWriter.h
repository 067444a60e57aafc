#pragma once

#include <QByteArray>

#include <cstddef>

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

    // One body alone as text STL, a closed surface a mesher fills on its
    // own, named `solidName` (no blanks: readers take the first word).
    static bool writeBody(QIODevice &device, const Geometry::MaterialSurfaces &surfaces, std::size_t body,
                          const QByteArray &solidName);
};

} // namespace Export
} // namespace Model
