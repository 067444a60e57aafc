#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {

// The materials of a volume's cells at one moment, held in memory: what a
// canceled step puts back, and what tells a step that changed nothing.
// Copies and comparisons run on the pool threads, by x strips.
class CellSnapshot
{
public:
    explicit CellSnapshot(Model::Automaton::TotalVolume &volume);

    // Sets the material of every cell, in both arrays, to the one it had.
    void restore(Model::Automaton::TotalVolume &volume) const;
    // Whether every cell of `volume` still holds the material it had.
    bool matches(Model::Automaton::TotalVolume &volume) const;

private:
    std::size_t m_count;
    // Not value-initialised: every element is written at once.
    std::unique_ptr<std::uint32_t[]> m_materials;
};

} // namespace Operations
} // namespace Core
