#include "Model/Geometry/ColourMap.h"

#include "Model/Materials/MaterialFactory.h"

namespace Model {
namespace Geometry {

constexpr ColourMap::Colour ColourMap::UnknownMaterialColour;

void ColourMap::rebuild(const Materials::MaterialFactory &catalogue)
{
    m_dense.clear();
    m_known.clear();
    m_sparse.clear();
    for (const Materials::Material &material : catalogue.getMaterials()) {
        const Materials::Colour &c = material.colour();
        set(material.id(), Colour{c.red, c.green, c.blue, c.alpha});
    }
}

void ColourMap::set(std::uint32_t material, const Colour &colour)
{
    if (material >= DenseLimit) {
        m_sparse[material] = colour;
        return;
    }
    if (material >= m_dense.size()) {
        m_dense.resize(material + 1);
        m_known.resize(material + 1, false);
    }
    m_dense[material] = colour;
    m_known[material] = true;
}

ColourMap::Colour ColourMap::selectedColour(const Colour &colour)
{
    Colour shifted = colour;
    for (std::size_t channel = 0; channel < 3; ++channel) {
        float &c = shifted[channel];
        c = c >= 0.7f ? c - 0.7f : c + 0.3f;
    }
    return shifted;
}

bool ColourMap::sameAlphas(const ColourMap &other) const
{
    return alphasFoundIn(other) && other.alphasFoundIn(*this);
}

bool ColourMap::alphasFoundIn(const ColourMap &other) const
{
    for (std::uint32_t material = 0; material < m_dense.size(); ++material)
        if (m_known[material] && m_dense[material][3] != other.alpha(material))
            return false;
    for (const auto &entry : m_sparse)
        if (entry.second[3] != other.alpha(entry.first))
            return false;
    return true;
}

} // namespace Geometry
} // namespace Model
