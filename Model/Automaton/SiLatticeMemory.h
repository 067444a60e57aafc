#pragma once

#include <cstdint>
#include <string>

namespace Model {
namespace Automaton {

class TotalVolume;

// Whether the Si lattice of a volume can be built on this machine: eight
// atoms per unit of silicon volume, each with its share of the unit cells,
// and a table with one entry for every unit cell the lattice considers,
// silicon or not; against the memory the system can give.
class SiLatticeMemory
{
public:
    static std::uint64_t estimatedAtoms(TotalVolume &volume);
    // The table of unit cells, with the byte per entry a wet etching maps
    // it with while it starts.
    static std::uint64_t estimatedTableBytes(TotalVolume &volume);
    static std::uint64_t estimatedBytes(TotalVolume &volume);
    // True when it fits; otherwise `problem` says how much it needs.
    static bool fits(TotalVolume &volume, std::string *problem);
    // The same against a given amount of free memory.
    static bool fits(TotalVolume &volume, std::uint64_t availableBytes, std::string *problem);
    // "The Si lattice of this volume needs N of memory" (no full stop).
    static std::string describeNeed(TotalVolume &volume);

    // Memory one atom takes with its share of a cell (10.5 bytes), and the
    // copy of its state and volume cell while the rows built apart are
    // joined.
    static constexpr std::uint64_t BytesPerAtom = 20;
};

} // namespace Automaton
} // namespace Model
