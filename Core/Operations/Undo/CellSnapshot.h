#pragma once

#include <cstdint>
#include <vector>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

// The materials of a volume's cells at one moment, held in memory: what a
// stopped step puts back when there is no undo record to read them from.
class CellSnapshot
{
public:
    explicit CellSnapshot(Model::Automaton::TotalVolume &volume);

    // Sets the material of every cell, in both arrays, to the one it had.
    void restore(Model::Automaton::TotalVolume &volume) const;

private:
    std::vector<std::uint32_t> m_materials;
};

} // namespace Operations
} // namespace Core
