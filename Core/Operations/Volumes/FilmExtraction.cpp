#include "Core/Operations/Volumes/FilmExtraction.h"

#include "Model/Automaton/TotalVolume.h"

#include <algorithm>

namespace Core {
namespace Operations {

namespace {

using Model::Automaton::TotalVolume;
using Model::Automaton::Voxel;

// Marks the face-connected body of `material` that holds `seed`. A cell is
// marked when it is pushed, so the stack never holds more cells than the
// body has.
std::size_t markBody(const TotalVolume &volume, const Voxel *cells, std::size_t seed, std::uint32_t material,
                     std::vector<bool> &body)
{
    const std::size_t sizeZ = volume.sizeZ();
    const std::size_t planeX = std::size_t(volume.sizeY()) * sizeZ;
    std::vector<std::size_t> stack{seed};
    body[seed] = true;
    std::size_t count = 0;
    auto visit = [&](std::size_t index) {
        if (!body[index] && cells[index].material == material) {
            body[index] = true;
            stack.push_back(index);
        }
    };
    while (!stack.empty()) {
        const std::size_t index = stack.back();
        stack.pop_back();
        ++count;
        const std::size_t z = index % sizeZ;
        const std::size_t y = index / sizeZ % volume.sizeY();
        const std::size_t x = index / planeX;
        if (x > 0)
            visit(index - planeX);
        if (x + 1 < volume.sizeX())
            visit(index + planeX);
        if (y > 0)
            visit(index - sizeZ);
        if (y + 1 < volume.sizeY())
            visit(index + sizeZ);
        if (z > 0)
            visit(index - 1);
        if (z + 1 < sizeZ)
            visit(index + 1);
    }
    return count;
}

} // namespace

FilmExtraction::Film FilmExtraction::extract(TotalVolume &source, std::uint32_t material, bool invert)
{
    Film film;
    film.materials.assign(source.cellCount(), 0);
    const unsigned sizeX = source.sizeX(), sizeY = source.sizeY(), sizeZ = source.sizeZ();
    std::vector<bool> body(source.cellCount(), false);
    {
        const Model::Automaton::LockedCells cells(source);
        const Voxel *begin = cells.get();
        const Voxel *end = begin + source.cellCount();
        const Voxel *first =
            std::find_if(begin, end, [material](const Voxel &cell) { return cell.material == material; });
        if (first == end)
            return film;
        film.cellCount = markBody(source, begin, std::size_t(first - begin), material, body);
    }

    auto outputZ = [&](unsigned z) { return invert ? sizeZ - 1 - z : z; };
    unsigned lowest = sizeZ;
    for (unsigned x = 0; x < sizeX; ++x)
        for (unsigned y = 0; y < sizeY; ++y)
            for (unsigned z = 0; z < sizeZ; ++z)
                if (body[source.cellIndex(x, y, z)])
                    lowest = std::min(lowest, outputZ(z));
    for (unsigned x = 0; x < sizeX; ++x)
        for (unsigned y = 0; y < sizeY; ++y)
            for (unsigned z = 0; z < sizeZ; ++z)
                if (body[source.cellIndex(x, y, z)]) {
                    const unsigned toY = invert ? sizeY - 1 - y : y;
                    film.materials[source.cellIndex(x, toY, outputZ(z) - lowest)] = material;
                }
    return film;
}

} // namespace Operations
} // namespace Core
