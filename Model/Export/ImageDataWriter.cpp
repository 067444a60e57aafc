#include "Model/Export/ImageDataWriter.h"

#include "Model/Export/LittleEndianStream.h"
#include "Model/Export/MaterialColours.h"
#include "Model/Export/VtkXmlParts.h"
#include "Model/Geometry/CellGrid.h"

namespace Model {
namespace Export {

bool ImageDataWriter::write(QIODevice &device, const Geometry::CellGrid &grid, const std::array<double, 3> &origin,
                            const std::vector<ExportMaterial> &materials, double metresPerUnit)
{
    const VtkXmlParts::MaterialType type =
        VtkXmlParts::materialType(materials.empty() ? 0 : materials.back().id);
    const std::uint64_t cells = std::uint64_t(grid.size[0]) * std::uint64_t(grid.size[1]) * std::uint64_t(grid.size[2]);
    const std::uint64_t bytes = cells * std::uint64_t(type.bytes);
    VtkXmlParts appended;
    const QByteArray extent = "0 " + QByteArray::number(grid.size[0]) + " 0 " + QByteArray::number(grid.size[1])
                              + " 0 " + QByteArray::number(grid.size[2]);
    QByteArray xml = VtkXmlParts::fileStart("ImageData");
    xml += "  <ImageData WholeExtent=\"" + extent + "\" Origin=\"" + VtkXmlParts::number(origin[0]) + ' '
           + VtkXmlParts::number(origin[1]) + ' ' + VtkXmlParts::number(origin[2]) + "\" Spacing=\""
           + VtkXmlParts::number(double(grid.cellSize[0])) + ' ' + VtkXmlParts::number(double(grid.cellSize[1]))
           + ' ' + VtkXmlParts::number(double(grid.cellSize[2])) + "\">\n";
    xml += VtkXmlParts::fieldData(materials, metresPerUnit, 4);
    xml += "    <Piece Extent=\"" + extent + "\">\n      <CellData Scalars=\"material\">\n";
    xml += QByteArray("        <DataArray type=\"") + type.name
           + "\" Name=\"material\" format=\"appended\" offset=\"" + QByteArray::number(qulonglong(appended.declare(bytes)))
           + "\"/>\n";
    xml += "        <DataArray " + MaterialColours::vtkArrayAttributes() + " format=\"appended\" offset=\""
           + QByteArray::number(qulonglong(appended.declare(cells * 3))) + "\"/>\n";
    xml += "      </CellData>\n    </Piece>\n  </ImageData>\n" + VtkXmlParts::appendedDataStart();

    LittleEndianStream out(device);
    out.putText(xml);
    out.put(bytes);
    // VTK counts cells with x fastest; the volume keeps z fastest.
    for (int z = 0; z < grid.size[2]; ++z)
        for (int y = 0; y < grid.size[1]; ++y)
            for (int x = 0; x < grid.size[0]; ++x)
                VtkXmlParts::putMaterial(out, type, grid.material(x, y, z));
    const MaterialColours colours(materials);
    out.put(std::uint64_t(cells * 3));
    for (int z = 0; z < grid.size[2]; ++z)
        for (int y = 0; y < grid.size[1]; ++y)
            for (int x = 0; x < grid.size[0]; ++x)
                out.putBytes(colours.of(grid.material(x, y, z)).data(), 3);
    out.putText(VtkXmlParts::fileEnd());
    return out.flush();
}

} // namespace Export
} // namespace Model
