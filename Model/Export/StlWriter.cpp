#include "Model/Export/StlWriter.h"

#include "Model/Export/LittleEndianStream.h"
#include "Model/Geometry/MaterialSurfaces.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace Model {
namespace Export {

namespace {

std::array<float, 3> unitNormal(const Geometry::MaterialSurfaces::Point &a, const Geometry::MaterialSurfaces::Point &b,
                                const Geometry::MaterialSurfaces::Point &c)
{
    const double u[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
    const double v[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
    const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length == 0)
        return {0, 0, 0};
    return {float(n[0] / length), float(n[1] / length), float(n[2] / length)};
}

} // namespace

bool StlWriter::write(QIODevice &device, const Geometry::MaterialSurfaces &surfaces, double metresPerUnit)
{
    const std::uint64_t triangles = surfaces.triangleCount();
    if (triangles > std::numeric_limits<std::uint32_t>::max())
        return false;
    LittleEndianStream out(device);
    // A binary file must not start with "solid", or readers take it for text.
    QByteArray header("Tessival material surfaces; attribute = material id; unit = "
                      + QByteArray::number(metresPerUnit, 'g', 6) + " m");
    header.truncate(80);
    header.append(80 - header.size(), ' ');
    out.putText(header);
    out.put(std::uint32_t(triangles));
    for (const auto &body : surfaces.bodies) {
        const std::uint16_t attribute = std::uint16_t(std::min<std::uint32_t>(body.material, 0xffff));
        for (const auto &t : body.triangles) {
            const auto &a = surfaces.points[t[0]], &b = surfaces.points[t[1]], &c = surfaces.points[t[2]];
            for (const float component : unitNormal(a, b, c))
                out.putFloat(component);
            for (const auto *corner : {&a, &b, &c})
                for (const float coordinate : *corner)
                    out.putFloat(coordinate);
            out.put(attribute);
        }
    }
    return out.flush();
}

bool StlWriter::writeBody(QIODevice &device, const Geometry::MaterialSurfaces &surfaces, std::size_t body,
                          const QByteArray &solidName)
{
    LittleEndianStream out(device);
    // Floats in the fewest digits that read back as the same float, so that
    // the corners that bodies share stay one point for the mesher.
    auto put = [&out](float value) {
        char digits[24];
        const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
        out.putBytes(digits, std::size_t(end.ptr - digits));
    };
    out.putText("solid " + solidName + '\n');
    for (const auto &t : surfaces.bodies[body].triangles) {
        const auto &a = surfaces.points[t[0]], &b = surfaces.points[t[1]], &c = surfaces.points[t[2]];
        out.putText("facet normal");
        for (const float component : unitNormal(a, b, c)) {
            out.putText(" ");
            put(component);
        }
        out.putText("\n outer loop\n");
        for (const auto *corner : {&a, &b, &c}) {
            out.putText("  vertex");
            for (const float coordinate : *corner) {
                out.putText(" ");
                put(coordinate);
            }
            out.putText("\n");
        }
        out.putText(" endloop\nendfacet\n");
    }
    out.putText("endsolid " + solidName + '\n');
    return out.flush();
}

} // namespace Export
} // namespace Model
