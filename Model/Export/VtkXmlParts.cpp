#include "Model/Export/VtkXmlParts.h"

#include "Util/DecimalText.h"

#include "Model/Export/LittleEndianStream.h"


namespace Model {
namespace Export {

QByteArray VtkXmlParts::fileStart(const char *type)
{
    return QByteArray("<?xml version=\"1.0\"?>\n<VTKFile type=\"") + type
           + "\" version=\"1.0\" byte_order=\"LittleEndian\" header_type=\"UInt64\">\n";
}

QByteArray VtkXmlParts::number(double value)
{
    return Util::exactNumber(value).toLatin1();
}

QByteArray VtkXmlParts::fieldData(const std::vector<ExportMaterial> &materials, double metresPerUnit, int indent,
                                  bool namesAsBytes)
{
    const QByteArray pad(indent, ' ');
    const QByteArray count = QByteArray::number(qulonglong(materials.size()));
    QByteArray ids, names, colours;
    int nameBytes = 0;
    for (const ExportMaterial &material : materials) {
        ids += QByteArray::number(material.id) + ' ';
        // Strings are written as their UTF-8 bytes in decimal, each string
        // ended by a 0.
        for (const char byte : material.name.toUtf8()) {
            names += QByteArray::number(int(static_cast<unsigned char>(byte))) + ' ';
            ++nameBytes;
        }
        names += "0 ";
        ++nameBytes;
        const Materials::Colour &c = material.colour;
        for (const float channel : {c.red, c.green, c.blue, c.alpha})
            colours += QByteArray::number(double(channel), 'g', 6) + ' ';
    }
    auto array = [&](const char *type, const char *name, const char *components, const QByteArray &tuples,
                     QByteArray values) {
        values.chop(1);
        return pad + "  <Array type=\"" + type + "\" Name=\"" + name + "\"" + components + " NumberOfTuples=\""
               + tuples + "\" format=\"ascii\">" + values + "</Array>\n";
    };
    return pad + "<FieldData>\n" + array("UInt32", "material_id", "", count, ids)
           + (namesAsBytes ? array("UInt8", "material_name", "", QByteArray::number(nameBytes), names)
                           : array("String", "material_name", "", count, names))
           + array("Float32", "material_colour", " NumberOfComponents=\"4\"", count, colours)
           + array("Float64", "length_unit", "", "1", number(metresPerUnit) + ' ') + pad + "</FieldData>\n";
}

QByteArray VtkXmlParts::appendedDataStart()
{
    return "  <AppendedData encoding=\"raw\">\n   _";
}

QByteArray VtkXmlParts::fileEnd()
{
    return "\n  </AppendedData>\n</VTKFile>\n";
}

VtkXmlParts::MaterialType VtkXmlParts::materialType(std::uint32_t largest)
{
    if (largest <= 0xff)
        return {"UInt8", 1};
    if (largest <= 0xffff)
        return {"UInt16", 2};
    return {"UInt32", 4};
}

void VtkXmlParts::putMaterial(LittleEndianStream &out, const MaterialType &type, std::uint32_t material)
{
    switch (type.bytes) {
    case 1: out.put(std::uint8_t(material)); break;
    case 2: out.put(std::uint16_t(material)); break;
    default: out.put(material); break;
    }
}

std::uint64_t VtkXmlParts::declare(std::uint64_t bytes)
{
    const std::uint64_t offset = m_next;
    m_next += sizeof(std::uint64_t) + bytes;
    return offset;
}

} // namespace Export
} // namespace Model
