#include "Core/Operations/Undo/CellSnapshot.h"

#include "Model/Automaton/TotalVolume.h"

#include <algorithm>

namespace Core {
namespace Operations {

CellSnapshot::CellSnapshot(Model::Automaton::TotalVolume &volume) : m_materials(volume.materials()) {}

void CellSnapshot::restore(Model::Automaton::TotalVolume &volume) const
{
    Model::Automaton::LockedCellArrays arrays(volume);
    const std::size_t count = std::min(m_materials.size(), volume.cellCount());
    for (std::size_t i = 0; i < count; ++i)
        arrays.current()[i].material = arrays.working()[i].material = m_materials[i];
}

} // namespace Operations
} // namespace Core
