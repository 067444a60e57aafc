#pragma once

#include "Core/Operations/Volumes/GlueLayout.h"

#include <cstdint>
#include <vector>

namespace Core {
namespace Operations {

// Where the top goes in the glued volume, as the user chose it.
struct GluePlacement
{
    unsigned sizeX = 0;
    unsigned sizeY = 0;
    unsigned sizeZ = 0;
    unsigned displacementX = 0;
    unsigned displacementY = 0;
    // Turned about the y axis: x and z mirrored, so the top's highest
    // layer lands on the base.
    bool invert = false;
};

// Wafer bonding on cells: the base's filled cells keep their places, and
// the top's filled slab is laid directly onto the base's highest layer,
// displaced along x and y and possibly turned over. Nothing else of either
// volume is copied, so the top's empty layers never cover base cells.
class SubstrateGluing
{
public:
    // The glued volume's material ids in cell-index order (sizeX x sizeY x
    // sizeZ of the placement). Cells that would fall outside it are left
    // out. Each pool thread copies one x strip of the base and one of the
    // top; the strips of either volume write disjoint cells.
    static std::vector<std::uint32_t> gluedMaterials(Model::Automaton::TotalVolume &base,
                                                     Model::Automaton::TotalVolume &top, const GlueLayout &layout,
                                                     const GluePlacement &placement);
};

} // namespace Operations
} // namespace Core
