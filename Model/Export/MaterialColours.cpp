#include "Model/Export/MaterialColours.h"

#include <algorithm>
#include <cmath>

namespace Model {
namespace Export {

namespace {

char channel(float value)
{
    return char(static_cast<unsigned char>(std::lround(std::clamp(double(value), 0.0, 1.0) * 255.0)));
}

} // namespace

MaterialColours::MaterialColours(const std::vector<ExportMaterial> &materials)
    : m_empty{char(255), char(255), char(255)}
{
    for (const ExportMaterial &material : materials)
        m_colours[material.id] = {channel(material.colour.red), channel(material.colour.green),
                                  channel(material.colour.blue)};
}

const std::array<char, 3> &MaterialColours::of(std::uint32_t material) const
{
    const auto found = m_colours.find(material);
    return found == m_colours.end() ? m_empty : found->second;
}

QByteArray MaterialColours::vtkArrayAttributes()
{
    return "type=\"UInt8\" Name=\"material_rgb\" NumberOfComponents=\"3\"";
}

} // namespace Export
} // namespace Model
