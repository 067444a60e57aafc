#include "Model/Export/ObjWriter.h"

#include "Model/Export/LittleEndianStream.h"
#include "Model/Geometry/MaterialSurfaces.h"

#include <algorithm>

namespace Model {
namespace Export {

std::vector<QByteArray> ObjWriter::groupNames(const std::vector<ExportMaterial> &materials)
{
    std::vector<QByteArray> names;
    for (const ExportMaterial &material : materials) {
        QByteArray name = material.name.toUtf8();
        for (char &c : name)
            if (static_cast<unsigned char>(c) <= ' ' || c == '#')
                c = '_';
        names.push_back(name.isEmpty() ? QByteArrayLiteral("Material") : name);
    }
    std::vector<bool> repeated(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        repeated[i] = std::count(names.begin(), names.end(), names[i]) > 1;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (repeated[i])
            names[i] += '_' + QByteArray::number(materials[i].id);
    return names;
}

bool ObjWriter::write(QIODevice &obj, QIODevice &mtl, const QString &mtlFileName,
                      const Geometry::MaterialSurfaces &surfaces, const std::vector<ExportMaterial> &materials,
                      double metresPerUnit)
{
    const std::vector<QByteArray> names = groupNames(materials);
    LittleEndianStream colours(mtl);
    colours.putText("# Tessival material colours\n");
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Materials::Colour &c = materials[i].colour;
        colours.putText("\nnewmtl " + names[i] + "\nKd " + QByteArray::number(double(c.red), 'g', 6) + ' '
                        + QByteArray::number(double(c.green), 'g', 6) + ' ' + QByteArray::number(double(c.blue), 'g', 6)
                        + "\nd " + QByteArray::number(double(c.alpha), 'g', 6) + '\n');
    }
    if (!colours.flush())
        return false;

    LittleEndianStream out(obj);
    out.putText("# Tessival material surfaces: one closed surface per material\n# unit = "
                + QByteArray::number(metresPerUnit, 'g', 17) + " m\nmtllib " + mtlFileName.toUtf8() + '\n');
    for (const auto &point : surfaces.points)
        out.putText("v " + QByteArray::number(double(point[0]), 'g', 9) + ' '
                    + QByteArray::number(double(point[1]), 'g', 9) + ' ' + QByteArray::number(double(point[2]), 'g', 9)
                    + '\n');
    for (std::size_t i = 0; i < surfaces.bodies.size(); ++i) {
        const QByteArray name = i < names.size() ? names[i] : "Material_" + QByteArray::number(surfaces.bodies[i].material);
        out.putText("g " + name + "\nusemtl " + name + '\n');
        for (const auto &t : surfaces.bodies[i].triangles)
            out.putText("f " + QByteArray::number(t[0] + 1) + ' ' + QByteArray::number(t[1] + 1) + ' '
                        + QByteArray::number(t[2] + 1) + '\n');
    }
    return out.flush();
}

} // namespace Export
} // namespace Model
