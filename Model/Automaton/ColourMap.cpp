#include "Model/Automaton/ColourMap.h"

#include "Model/Materials/MaterialFactory.h"

namespace Model {
namespace Automaton {

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

} // namespace Automaton
} // namespace Model
