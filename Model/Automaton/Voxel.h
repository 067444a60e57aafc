#pragma once

#include <cstdint>

namespace Model {
namespace Automaton {

// One cell of a cell volume, copied by value. The fixed flag and the distance
// vector belong to the vector-distance processes; the Si atom count to the
// lattice laid over the volume.
struct Voxel
{
    Voxel() = default;
    explicit Voxel(std::uint32_t materialId) : material(materialId) {}

    std::uint32_t material = 0; // 0 = empty
    std::uint8_t fixed = 0;
    float dx = 0.0f;
    float dy = 0.0f;
    float dz = 0.0f;
    std::int32_t siAtomCount = 0;
};

} // namespace Automaton
} // namespace Model
