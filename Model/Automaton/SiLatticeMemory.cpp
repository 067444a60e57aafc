#include "Model/Automaton/SiLatticeMemory.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Automaton/VolumeMemory.h"

#include <cmath>

namespace Model {
namespace Automaton {

std::uint64_t SiLatticeMemory::estimatedAtoms(TotalVolume &volume)
{
    std::uint64_t siliconCells = 0;
    {
        LockedCells cells(volume);
        for (std::size_t i = 0; i < volume.cellCount(); ++i)
            siliconCells += cells[i].material == 1 ? 1 : 0;
    }
    // Kept unit cells reach past the silicon by up to one cell on every side.
    const double cellVolume = double(volume.cellsizeX()) * volume.cellsizeY() * volume.cellsizeZ();
    return std::uint64_t(std::ceil(double(siliconCells) * cellVolume * 8.0 * 1.5));
}

std::uint64_t SiLatticeMemory::estimatedBytes(TotalVolume &volume)
{
    return estimatedAtoms(volume) * BytesPerAtom;
}

std::string SiLatticeMemory::describeNeed(TotalVolume &volume)
{
    return "The Si lattice of this volume needs about " + VolumeMemory::describeBytes(double(estimatedBytes(volume)))
        + " of memory";
}

bool SiLatticeMemory::fits(TotalVolume &volume, std::string *problem)
{
    const std::uint64_t needed = estimatedBytes(volume);
    const std::uint64_t available = VolumeMemory::availableBytes();
    if (needed <= available)
        return true;
    if (problem)
        *problem = describeNeed(volume) + ", but only " + VolumeMemory::describeBytes(double(available))
            + " is available.";
    return false;
}

} // namespace Automaton
} // namespace Model
