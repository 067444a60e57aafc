#include "Model/Export/UnstructuredGridWriter.h"

#include "Model/Export/HexahedralMesh.h"
#include "Model/Export/LittleEndianStream.h"
#include "Model/Export/MaterialColours.h"
#include "Model/Export/VtkXmlParts.h"

#include <cstring>
#include <limits>

namespace Model {
namespace Export {

bool UnstructuredGridWriter::write(QIODevice &device, const HexahedralMesh &mesh, const std::array<double, 3> &origin,
                                   const std::array<double, 3> &cellSize,
                                   const std::vector<ExportMaterial> &materials, double metresPerUnit)
{
    const std::uint64_t points = mesh.pointCount(), cells = mesh.cellCount();
    const VtkXmlParts::MaterialType type = VtkXmlParts::materialType(materials.empty() ? 0 : materials.back().id);
    // 32-bit indices while they reach, as most readers expect them.
    const bool wideIndices = 8 * cells > std::uint64_t(std::numeric_limits<std::int32_t>::max());
    const int indexBytes = wideIndices ? 8 : 4;
    const char *indexType = wideIndices ? "Int64" : "Int32";
    VtkXmlParts appended;
    auto array = [&](const QByteArray &attributes, std::uint64_t bytes) {
        return "        <DataArray " + attributes + " format=\"appended\" offset=\""
               + QByteArray::number(qulonglong(appended.declare(bytes))) + "\"/>\n";
    };
    QByteArray xml = VtkXmlParts::fileStart("UnstructuredGrid");
    xml += "  <UnstructuredGrid>\n" + VtkXmlParts::fieldData(materials, metresPerUnit, 4, true);
    xml += "    <Piece NumberOfPoints=\"" + QByteArray::number(qulonglong(points)) + "\" NumberOfCells=\""
           + QByteArray::number(qulonglong(cells)) + "\">\n";
    // Declared one by one: the offsets follow the order of the calls.
    const QByteArray materialArray =
        array(QByteArray("type=\"") + type.name + "\" Name=\"material\"", cells * std::uint64_t(type.bytes));
    const QByteArray colourArray = array(MaterialColours::vtkArrayAttributes(), cells * 3);
    const QByteArray pointArray = array("type=\"Float64\" Name=\"Points\" NumberOfComponents=\"3\"", points * 24);
    const QByteArray connectivityArray =
        array(QByteArray("type=\"") + indexType + "\" Name=\"connectivity\"", cells * 8 * std::uint64_t(indexBytes));
    const QByteArray offsetArray =
        array(QByteArray("type=\"") + indexType + "\" Name=\"offsets\"", cells * std::uint64_t(indexBytes));
    const QByteArray typeArray = array("type=\"UInt8\" Name=\"types\"", cells);
    xml += "      <CellData Scalars=\"material\">\n" + materialArray + colourArray + "      </CellData>\n";
    xml += "      <Points>\n" + pointArray + "      </Points>\n";
    xml += "      <Cells>\n" + connectivityArray + offsetArray + typeArray + "      </Cells>\n";
    xml += "    </Piece>\n  </UnstructuredGrid>\n" + VtkXmlParts::appendedDataStart();

    const MaterialColours colours(materials);
    LittleEndianStream out(device);
    out.putText(xml);
    out.put(std::uint64_t(cells * std::uint64_t(type.bytes)));
    mesh.forEachCell([&](int, int, int, std::uint32_t material) { VtkXmlParts::putMaterial(out, type, material); });
    out.put(std::uint64_t(cells * 3));
    mesh.forEachCell([&](int, int, int, std::uint32_t material) { out.putBytes(colours.of(material).data(), 3); });
    out.put(std::uint64_t(points * 24));
    mesh.forEachPoint([&](int i, int j, int k) {
        out.putDouble(origin[0] + i * cellSize[0]);
        out.putDouble(origin[1] + j * cellSize[1]);
        out.putDouble(origin[2] + k * cellSize[2]);
    });
    auto putIndex = [&](std::uint64_t index) {
        if (wideIndices)
            out.put(std::int64_t(index));
        else
            out.put(std::int32_t(index));
    };
    out.put(std::uint64_t(cells * 8 * std::uint64_t(indexBytes)));
    mesh.forEachCell([&](int x, int y, int z, std::uint32_t) {
        for (const std::uint32_t corner : mesh.corners(x, y, z))
            putIndex(corner);
    });
    out.put(std::uint64_t(cells * std::uint64_t(indexBytes)));
    for (std::uint64_t end = 8; end <= 8 * cells; end += 8)
        putIndex(end);
    out.put(std::uint64_t(cells));
    constexpr char Hexahedron = 12;
    for (std::uint64_t cell = 0; cell < cells; ++cell)
        out.putBytes(&Hexahedron, 1);
    out.putText(VtkXmlParts::fileEnd());
    return out.flush();
}

} // namespace Export
} // namespace Model
