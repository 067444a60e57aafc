#pragma once

#include "Model/Export/ExportMaterial.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace Model {
namespace Export {

class LittleEndianStream;

// What the VTK XML files of the exports share: the file element, the
// materials as field data ("material_id", "material_name",
// "material_colour" as red, green, blue, alpha in 0..1) with the length of
// a coordinate unit in metres ("length_unit"), the material
// array's type, and the bulk arrays appended as raw little-endian bytes
// after the XML, each behind its 64-bit byte count.
class VtkXmlParts
{
public:
    // `<?xml ...?>` and the opening `<VTKFile ...>` of a file of `type`.
    static QByteArray fileStart(const char *type);
    // The `<FieldData>` element, indented by `indent` blanks: the materials,
    // and "length_unit", the metres of one unit of the file's coordinates.
    // With `namesAsBytes` the names are an UInt8 array of the same bytes
    // (each name's UTF-8 ended by a 0), for files that readers without
    // string arrays (meshio) must open too.
    static QByteArray fieldData(const std::vector<ExportMaterial> &materials, double metresPerUnit, int indent,
                                bool namesAsBytes = false);
    static QByteArray appendedDataStart();
    static QByteArray fileEnd();
    // In as few digits as read back as the same double.
    static QByteArray number(double value);

    // The narrowest unsigned type that holds every id up to `largest`.
    struct MaterialType
    {
        const char *name;
        int bytes;
    };
    static MaterialType materialType(std::uint32_t largest);
    static void putMaterial(LittleEndianStream &out, const MaterialType &type, std::uint32_t material);

    // Where the next appended array of `bytes` bytes starts: arrays are
    // declared in the order their data follows the XML.
    std::uint64_t declare(std::uint64_t bytes);

private:
    std::uint64_t m_next = 0;
};

} // namespace Export
} // namespace Model
