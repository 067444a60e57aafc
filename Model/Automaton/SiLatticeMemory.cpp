#include "Model/Automaton/SiLatticeMemory.h"

#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Automaton/VolumeMemory.h"
#include "Model/Materials/Material.h"

#include <cmath>

namespace Model {
namespace Automaton {

namespace {

// Atoms and unit cells are numbered by 32 bits; a lattice with more of
// them would number two alike and lose one of them.
bool numberable(TotalVolume &volume)
{
    return SiLattice::numberable(SiLattice::reachOf(volume));
}

} // namespace

std::uint64_t SiLatticeMemory::estimatedAtoms(TotalVolume &volume)
{
    std::uint64_t siliconCells = 0;
    {
        LockedCells cells(volume);
        for (std::size_t i = 0; i < volume.cellCount(); ++i)
            siliconCells += cells[i].material == Materials::SiliconId ? 1 : 0;
    }
    // Kept unit cells reach past the silicon by up to one cell on every side.
    const double cellVolume = double(volume.cellsizeX()) * volume.cellsizeY() * volume.cellsizeZ();
    return std::uint64_t(std::ceil(double(siliconCells) * cellVolume * 8.0 * 1.5));
}

std::uint64_t SiLatticeMemory::estimatedTableBytes(TotalVolume &volume)
{
    return SiLattice::tableCells(SiLattice::reachOf(volume)) * (sizeof(std::uint32_t) + 1);
}

std::uint64_t SiLatticeMemory::estimatedBytes(TotalVolume &volume)
{
    return estimatedAtoms(volume) * BytesPerAtom + estimatedTableBytes(volume);
}

std::string SiLatticeMemory::describeNeed(TotalVolume &volume)
{
    return "The Si lattice of this volume needs about " + VolumeMemory::describeBytes(double(estimatedBytes(volume)))
        + " of memory";
}

bool SiLatticeMemory::fits(TotalVolume &volume, std::string *problem)
{
    return fits(volume, VolumeMemory::availableBytes(), problem);
}

bool SiLatticeMemory::fits(TotalVolume &volume, std::uint64_t availableBytes, std::string *problem)
{
    if (!numberable(volume)) {
        if (problem)
            *problem = "The Si lattice of this volume would have more unit cells than it can number.";
        return false;
    }
    const std::uint64_t needed = estimatedBytes(volume);
    if (needed <= availableBytes)
        return true;
    if (problem)
        *problem = describeNeed(volume) + ", but only " + VolumeMemory::describeBytes(double(availableBytes))
            + " is available.";
    return false;
}

} // namespace Automaton
} // namespace Model
