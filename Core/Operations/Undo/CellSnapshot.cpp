#include "Core/Operations/Undo/CellSnapshot.h"

#include "Model/Automaton/ParallelStrips.h"
#include "Model/Automaton/TotalVolume.h"

#include <atomic>

namespace Core {
namespace Operations {

using Model::Automaton::ParallelStrips;

namespace {

// Calls `copy(first, end)` for the cell index ranges of the volume's x strips.
template<typename Copy>
void byStrips(const Model::Automaton::TotalVolume &volume, const Copy &copy)
{
    const std::size_t plane = std::size_t(volume.sizeY()) * volume.sizeZ();
    const auto strips = ParallelStrips::split(0, int(volume.sizeX()), ParallelStrips::threadCount());
    ParallelStrips::run(strips, [&](const ParallelStrips::Strip &strip) {
        copy(std::size_t(strip.first) * plane, std::size_t(strip.end) * plane);
    });
}

} // namespace

CellSnapshot::CellSnapshot(Model::Automaton::TotalVolume &volume)
    : m_count(volume.cellCount())
    , m_materials(new std::uint32_t[volume.cellCount()])
{
    Model::Automaton::LockedCells cells(volume);
    std::uint32_t *materials = m_materials.get();
    byStrips(volume, [&](std::size_t first, std::size_t end) {
        for (std::size_t i = first; i < end; ++i)
            materials[i] = cells[i].material;
    });
}

void CellSnapshot::restore(Model::Automaton::TotalVolume &volume) const
{
    if (volume.cellCount() != m_count)
        return;
    Model::Automaton::LockedCellArrays arrays(volume);
    const std::uint32_t *materials = m_materials.get();
    byStrips(volume, [&](std::size_t first, std::size_t end) {
        for (std::size_t i = first; i < end; ++i)
            arrays.current()[i].material = arrays.working()[i].material = materials[i];
    });
}

bool CellSnapshot::matches(Model::Automaton::TotalVolume &volume) const
{
    if (volume.cellCount() != m_count)
        return false;
    Model::Automaton::LockedCells cells(volume);
    const std::uint32_t *materials = m_materials.get();
    std::atomic<bool> same{true};
    byStrips(volume, [&](std::size_t first, std::size_t end) {
        for (std::size_t i = first; i < end; ++i) {
            if (cells[i].material != materials[i]) {
                same = false;
                return;
            }
        }
    });
    return same;
}

} // namespace Operations
} // namespace Core
