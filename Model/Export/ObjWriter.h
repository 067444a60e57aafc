#pragma once

#include "Model/Export/ExportMaterial.h"

#include <QByteArray>
#include <QString>

#include <vector>

class QIODevice;

namespace Model {
namespace Geometry {
struct MaterialSurfaces;
}

namespace Export {

// "*.obj": the material surfaces as Wavefront text, one group per material
// named after it and drawn with a material of the same name from the
// companion "*.mtl" file, which holds its colour and opacity.
class ObjWriter
{
public:
    // `materials` holds one entry per body, in body order; `mtlFileName` is
    // the companion file's name as the OBJ file refers to it. False when a
    // device refused a write.
    static bool write(QIODevice &obj, QIODevice &mtl, const QString &mtlFileName,
                      const Geometry::MaterialSurfaces &surfaces, const std::vector<ExportMaterial> &materials,
                      double metresPerUnit);

    // Group and material names cannot hold blanks: they become "_". Names
    // that end up the same are told apart by the material id; an empty one
    // is "Material".
    static std::vector<QByteArray> groupNames(const std::vector<ExportMaterial> &materials);
};

} // namespace Export
} // namespace Model
