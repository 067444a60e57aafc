#include "Core/Operations/Doping/IonImplantation.h"

#include "Model/Automaton/TotalVolume.h"

#include <cmath>

namespace Core {
namespace Operations {

using Model::Automaton::ParallelStrips;

IonImplantation::IonImplantation(Model::Automaton::TotalVolume &volume, std::uint32_t doped, float depth,
                                 float annealing, Interrupter *interrupter)
    : DopingFront(volume, doped, annealing, interrupter)
    , m_depth(depth)
    , m_cellHeight(volume.cellsizeZ())
    , m_implanted(threadCount())
{
}

void IonImplantation::seedStrip(const ParallelStrips::Strip &strip)
{
    m_implanted[strip.index].clear();
    for (int x = strip.first; x < strip.end; ++x)
        for (int y = 0; y < size()[1]; ++y)
            seedColumn(strip.index, x, y);
}

void IonImplantation::seedColumn(unsigned strip, int x, int y)
{
    const Voxel *cells = current();
    int z = size()[2] - 1;
    for (; z >= 0 && cells[cellIndex(x, y, z)].material == 0; --z)
        setSeed(cellIndex(x, y, z), SeedKind::Obstacle);
    // The depth counts whole cells from the top face of the column's first
    // solid cell, whatever that cell is made of.
    for (int k = 1; z >= 0; --z, ++k) {
        const std::size_t index = cellIndex(x, y, z);
        if (!dopable(cells[index].material)) {
            setSeed(index, SeedKind::Obstacle);
            continue;
        }
        if (!(std::abs(k * m_cellHeight - m_depth) <= m_cellHeight / 2)) {
            setSeed(index, SeedKind::Open);
            continue;
        }
        setSeed(index, SeedKind::Source);
        m_implanted[strip].push_back(index);
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dz = -1; dz <= 1; ++dz) {
                    const int nx = x + dx, ny = y + dy, nz = z + dz;
                    if ((dx || dy || dz) && inside(nx, ny, nz) && dopable(cells[cellIndex(nx, ny, nz)].material))
                        addToFront(strip, nx, cellIndex(nx, ny, nz));
                }
    }
}

void IonImplantation::finishStrip(const ParallelStrips::Strip &strip)
{
    for (const std::size_t index : m_implanted[strip.index])
        current()[index].material = working()[index].material = dopedMaterial();
}

} // namespace Operations
} // namespace Core
