#include "Core/Operations/Substrate/SubstrateShape.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Automaton/VolumeMemory.h"

#include <algorithm>
#include <new>

namespace Core {
namespace Operations {

namespace {
// Volumes built from a substrate shape always have unit cells.
constexpr float CellSize = 1.0f;
}

std::vector<std::uint32_t> SubstrateShape::materials() const
{
    const std::size_t cellCount = std::size_t(sizeX) * sizeY * sizeZ;
    std::vector<std::uint32_t> list(cellCount, 0);
    auto index = [this](std::uint64_t x, std::uint64_t y, std::uint64_t z) {
        return std::size_t(z + std::uint64_t(sizeZ) * (y + std::uint64_t(sizeY) * x));
    };

    if (!spherical) {
        const std::uint64_t endX = std::min<std::uint64_t>(sizeX, std::uint64_t(boxX) + boxSizeX);
        const std::uint64_t endY = std::min<std::uint64_t>(sizeY, std::uint64_t(boxY) + boxSizeY);
        const std::uint64_t endZ = std::min<std::uint64_t>(sizeZ, std::uint64_t(boxZ) + boxSizeZ);
        for (std::uint64_t x = boxX; x < endX; ++x)
            for (std::uint64_t y = boxY; y < endY; ++y)
                for (std::uint64_t z = boxZ; z < endZ; ++z)
                    list[index(x, y, z)] = material;
        return list;
    }

    const double reach = double(radius) * CellSize;
    const double reachSquared = reach * reach;
    for (std::uint64_t x = 0; x < sizeX; ++x) {
        const double dx = (double(x) - double(centreX)) * CellSize;
        for (std::uint64_t y = 0; y < sizeY; ++y) {
            const double dy = (double(y) - double(centreY)) * CellSize;
            for (std::uint64_t z = 0; z < sizeZ; ++z) {
                const double dz = (double(z) - double(centreZ)) * CellSize;
                if (reachSquared >= dx * dx + dy * dy + dz * dz)
                    list[index(x, y, z)] = material;
            }
        }
    }
    return list;
}

boost::shared_ptr<Model::Automaton::TotalVolume> SubstrateShape::build(std::string *problem) const
{
    if (!Model::Automaton::VolumeMemory::fits(sizeX, sizeY, sizeZ, problem))
        return {};
    try {
        return boost::shared_ptr<Model::Automaton::TotalVolume>(new Model::Automaton::TotalVolume(
            sizeX, sizeY, sizeZ, CellSize, CellSize, CellSize, position, materials()));
    } catch (const std::bad_alloc &) {
        // Memory that looked free was taken meanwhile.
        if (problem)
            *problem = Model::Automaton::VolumeMemory::describeNeed(sizeX, sizeY, sizeZ) + ", which could not be allocated.";
        return {};
    }
}

} // namespace Operations
} // namespace Core
