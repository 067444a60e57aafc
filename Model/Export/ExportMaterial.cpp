#include "Model/Export/ExportMaterial.h"

#include "Model/Geometry/ColourMap.h"
#include "Model/Materials/MaterialFactory.h"

namespace Model {
namespace Export {

std::vector<ExportMaterial> ExportMaterial::of(const std::vector<std::uint32_t> &ids,
                                               const Materials::MaterialFactory &catalogue)
{
    std::vector<ExportMaterial> materials;
    materials.reserve(ids.size());
    for (const std::uint32_t id : ids) {
        const Materials::Material known = catalogue.getMaterial(id);
        ExportMaterial material;
        material.id = id;
        if (known.id() == id) {
            material.name = known.name();
            material.colour = known.colour();
        } else {
            const auto &grey = Geometry::ColourMap::UnknownMaterialColour;
            material.name = QStringLiteral("Material %1").arg(id);
            material.colour = Materials::Colour{grey[0], grey[1], grey[2], grey[3]};
        }
        materials.push_back(material);
    }
    return materials;
}

} // namespace Export
} // namespace Model
