#pragma once

#include "Model/Export/ExportMaterial.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace Model {
namespace Export {

// The colours of the materials as 8-bit red, green and blue, the cell
// array "material_rgb" that viewers show as it is, without a lookup table.
// Empty cells are white, as in the cross-sections.
class MaterialColours
{
public:
    explicit MaterialColours(const std::vector<ExportMaterial> &materials);

    const std::array<char, 3> &of(std::uint32_t material) const;

    // The attributes of the array's `<DataArray>` element.
    static QByteArray vtkArrayAttributes();

private:
    std::unordered_map<std::uint32_t, std::array<char, 3>> m_colours;
    std::array<char, 3> m_empty;
};

} // namespace Export
} // namespace Model
