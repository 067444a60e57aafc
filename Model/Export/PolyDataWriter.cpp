#include "Model/Export/PolyDataWriter.h"

#include "Model/Export/LittleEndianStream.h"
#include "Model/Export/MaterialColours.h"
#include "Model/Export/VtkXmlParts.h"
#include "Model/Geometry/MaterialSurfaces.h"

#include <limits>

namespace Model {
namespace Export {

bool PolyDataWriter::write(QIODevice &device, const Geometry::MaterialSurfaces &surfaces,
                           const std::vector<ExportMaterial> &materials, double metresPerUnit)
{
    const std::uint64_t triangles = surfaces.triangleCount();
    const std::uint64_t points = surfaces.points.size();
    if (3 * triangles > std::uint64_t(std::numeric_limits<std::int32_t>::max()))
        return false;
    const VtkXmlParts::MaterialType type =
        VtkXmlParts::materialType(surfaces.bodies.empty() ? 0 : surfaces.bodies.back().material);
    VtkXmlParts appended;
    auto array = [&](const char *attributes, std::uint64_t bytes) {
        return QByteArray("        <DataArray ") + attributes + " format=\"appended\" offset=\""
               + QByteArray::number(qulonglong(appended.declare(bytes))) + "\"/>\n";
    };
    QByteArray xml = VtkXmlParts::fileStart("PolyData");
    xml += "  <PolyData>\n" + VtkXmlParts::fieldData(materials, metresPerUnit, 4);
    xml += "    <Piece NumberOfPoints=\"" + QByteArray::number(qulonglong(points))
           + "\" NumberOfVerts=\"0\" NumberOfLines=\"0\" NumberOfStrips=\"0\" NumberOfPolys=\""
           + QByteArray::number(qulonglong(triangles)) + "\">\n";
    // Declared one by one: the offsets follow the order of the calls.
    const QByteArray materialArray =
        array(QByteArray("type=\"") + type.name + "\" Name=\"material\"", triangles * std::uint64_t(type.bytes));
    const QByteArray colourArray =
        "        <DataArray " + MaterialColours::vtkArrayAttributes() + " format=\"appended\" offset=\""
        + QByteArray::number(qulonglong(appended.declare(triangles * 3))) + "\"/>\n";
    const QByteArray pointArray = array("type=\"Float32\" Name=\"Points\" NumberOfComponents=\"3\"", points * 12);
    const QByteArray connectivityArray = array("type=\"Int32\" Name=\"connectivity\"", triangles * 12);
    const QByteArray offsetArray = array("type=\"Int32\" Name=\"offsets\"", triangles * 4);
    xml += "      <CellData Scalars=\"material\">\n" + materialArray + colourArray + "      </CellData>\n      <Points>\n" + pointArray
           + "      </Points>\n      <Polys>\n" + connectivityArray + offsetArray
           + "      </Polys>\n    </Piece>\n  </PolyData>\n" + VtkXmlParts::appendedDataStart();

    LittleEndianStream out(device);
    out.putText(xml);
    out.put(std::uint64_t(triangles * std::uint64_t(type.bytes)));
    for (const auto &body : surfaces.bodies)
        for (std::size_t i = 0; i < body.triangles.size(); ++i)
            VtkXmlParts::putMaterial(out, type, body.material);
    const MaterialColours colours(materials);
    out.put(std::uint64_t(triangles * 3));
    for (const auto &body : surfaces.bodies)
        for (std::size_t i = 0; i < body.triangles.size(); ++i)
            out.putBytes(colours.of(body.material).data(), 3);
    out.put(std::uint64_t(points * 12));
    for (const auto &point : surfaces.points)
        for (const float coordinate : point)
            out.putFloat(coordinate);
    out.put(std::uint64_t(triangles * 12));
    for (const auto &body : surfaces.bodies)
        for (const auto &triangle : body.triangles)
            for (const std::uint32_t corner : triangle)
                out.put(std::int32_t(corner));
    out.put(std::uint64_t(triangles * 4));
    for (std::uint64_t end = 3; end <= 3 * triangles; end += 3)
        out.put(std::int32_t(end));
    out.putText(VtkXmlParts::fileEnd());
    return out.flush();
}

} // namespace Export
} // namespace Model
