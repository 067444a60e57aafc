#pragma once

#include "Model/Materials/Material.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace Model {
namespace Materials {
class MaterialFactory;
}

namespace Export {

// A material as an exported file names and colours it.
struct ExportMaterial
{
    std::uint32_t id = 0;
    QString name;
    Materials::Colour colour;

    // The catalogue's names and colours of `ids`, in their order. An id the
    // catalogue does not know is "Material <id>" in the view's neutral grey,
    // so that its cells are still exported and recognisable.
    static std::vector<ExportMaterial> of(const std::vector<std::uint32_t> &ids,
                                          const Materials::MaterialFactory &catalogue);
};

} // namespace Export
} // namespace Model
