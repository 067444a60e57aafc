#pragma once

#include "Model/Geometry/QuadFace.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace Model {
namespace Materials {
class MaterialFactory;
}

namespace Geometry {

// Material id -> display colour, taken from the catalogue once per surface
// build so that generating faces never locks the catalogue per cell.
// Materials the catalogue does not know are shown in a neutral grey rather
// than left out, so that no cell silently vanishes from the view.
class ColourMap
{
public:
    using Colour = QuadFace::Colour;

    static constexpr Colour UnknownMaterialColour = {0.6f, 0.6f, 0.6f, 1.0f};

    void rebuild(const Materials::MaterialFactory &catalogue);
    void set(std::uint32_t material, const Colour &colour);
    const Colour &colour(std::uint32_t material) const
    {
        if (material < m_dense.size() && m_known[material])
            return m_dense[material];
        const auto it = m_sparse.find(material);
        return it == m_sparse.end() ? UnknownMaterialColour : it->second;
    }
    float alpha(std::uint32_t material) const { return colour(material)[3]; }
    // The colour faces of `material` show, with the selection highlight
    // when their volume is selected.
    Colour shown(std::uint32_t material, bool selected) const
    {
        return selected ? selectedColour(colour(material)) : colour(material);
    }

    // A selected volume shows every colour channel shifted by 0.7, down
    // from 0.7 and above, up by 0.3 below it; alpha stays.
    static Colour selectedColour(const Colour &colour);

    // True when every material has the same alpha in both maps. Alpha
    // decides which sides of a cell show, so faces built with one map can
    // take the other's colours only then.
    bool sameAlphas(const ColourMap &other) const;

private:
    // Whether every material this map knows has the same alpha in `other`.
    bool alphasFoundIn(const ColourMap &other) const;

    // Ids of the catalogue lie below 65536 in practice; a flat table keeps
    // the per-cell lookup cheap, the map serves the rest.
    static constexpr std::uint32_t DenseLimit = 65536;

    std::vector<Colour> m_dense;
    std::vector<bool> m_known;
    std::unordered_map<std::uint32_t, Colour> m_sparse;
};

} // namespace Geometry
} // namespace Model
