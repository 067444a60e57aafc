#include "Model/ModelExtraction/EnvelopeDecomposition.h"

#include "Model/Automaton/TotalVolume.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <tuple>

namespace Model {
namespace ModelExtraction {

namespace {

// Positions where the material changes along one axis, ascending, one flag
// per position (index i: between cells i - 1 and i).
using SplitFlags = std::vector<bool>;

// The end of the block starting at `from`: the next split position, or the
// volume's end.
std::int32_t blockEnd(const SplitFlags &splits, std::int32_t from, std::int32_t size)
{
    std::int32_t end = from + 1;
    while (end < size && !splits[std::size_t(end)])
        ++end;
    return end;
}

// A face of a block: its axis, its position along it and its extent in the
// two other axes. Two faces coincide when their keys are equal.
using FaceKey = std::tuple<int, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t>;

FaceKey faceKey(const RectangularCuboidEnvelope &e, int slot)
{
    const int axis = slot / 2;
    const int a = (axis + 1) % 3;
    const int b = (axis + 2) % 3;
    const std::int32_t position = e.origin(axis) + ((slot & 1) ? e.size(axis) : 0);
    return FaceKey(axis, position, e.origin(a), e.size(a), e.origin(b), e.size(b));
}

} // namespace

EnvelopeList EnvelopeDecomposition::decompose(Automaton::TotalVolume &volume)
{
    const std::int32_t size[3] = {std::int32_t(volume.sizeX()), std::int32_t(volume.sizeY()),
                                  std::int32_t(volume.sizeZ())};
    EnvelopeList envelopes;
    if (volume.cellCount() == 0)
        return envelopes;

    Automaton::LockedCells cells(volume);
    // Every neighbour pair is compared, the last layer of each axis included,
    // so that no block ever mixes two materials.
    std::array<SplitFlags, 3> splits{SplitFlags(std::size_t(size[0]) + 1), SplitFlags(std::size_t(size[1]) + 1),
                                     SplitFlags(std::size_t(size[2]) + 1)};
    for (std::int32_t x = 0; x < size[0]; ++x)
        for (std::int32_t y = 0; y < size[1]; ++y)
            for (std::int32_t z = 0; z < size[2]; ++z) {
                const std::uint32_t m = cells[volume.cellIndex(x, y, z)].material;
                if (z + 1 < size[2] && cells[volume.cellIndex(x, y, z + 1)].material != m)
                    splits[2][std::size_t(z) + 1] = true;
                if (y + 1 < size[1] && cells[volume.cellIndex(x, y + 1, z)].material != m)
                    splits[1][std::size_t(y) + 1] = true;
                if (x + 1 < size[0] && cells[volume.cellIndex(x + 1, y, z)].material != m)
                    splits[0][std::size_t(x) + 1] = true;
            }

    // One bit per cell marks what was ever queued, so each block start is
    // queued once and the walk stays linear in the number of cells.
    std::vector<bool> queued(volume.cellCount());
    std::deque<std::size_t> queue{0};
    queued[0] = true;
    while (!queue.empty()) {
        const std::size_t index = queue.front();
        queue.pop_front();
        const std::int32_t z = std::int32_t(index % std::size_t(size[2]));
        const std::int32_t y = std::int32_t((index / std::size_t(size[2])) % std::size_t(size[1]));
        const std::int32_t x = std::int32_t(index / (std::size_t(size[2]) * std::size_t(size[1])));
        const std::int32_t origin[3] = {x, y, z};
        std::int32_t extent[3];
        for (int axis = 0; axis < 3; ++axis) {
            const std::int32_t end = blockEnd(splits[axis], origin[axis], size[axis]);
            extent[axis] = end - origin[axis];
            if (end < size[axis]) {
                std::int32_t next[3] = {x, y, z};
                next[axis] = end;
                const std::size_t nextIndex = volume.cellIndex(next[0], next[1], next[2]);
                if (!queued[nextIndex]) {
                    queued[nextIndex] = true;
                    queue.push_back(nextIndex);
                }
            }
        }
        const std::uint32_t material = cells[index].material;
        if (material != 0)
            envelopes.push_back(boost::shared_ptr<RectangularCuboidEnvelope>(
                new RectangularCuboidEnvelope(x, y, z, extent[0], extent[1], extent[2], material)));
    }
    return envelopes;
}

void EnvelopeDecomposition::link(const EnvelopeList &envelopes)
{
    // Low faces (slots 0, 2, 4) by position; each high face looks up the low
    // face it meets, so linking costs a map lookup per face, not a pass over
    // every pair.
    std::map<FaceKey, RectangularCuboidEnvelope *> lowFaces;
    for (const auto &e : envelopes)
        for (int slot = 0; slot < RectangularCuboidEnvelope::SlotCount; slot += 2)
            lowFaces.emplace(faceKey(*e, slot), e.get());
    for (const auto &e : envelopes)
        for (int slot = 1; slot < RectangularCuboidEnvelope::SlotCount; slot += 2) {
            const auto found = lowFaces.find(faceKey(*e, slot));
            if (found == lowFaces.end() || found->second == e.get())
                continue;
            e->setNeighbour(slot, found->second);
            found->second->setNeighbour(RectangularCuboidEnvelope::oppositeSlot(slot), e.get());
        }
}

} // namespace ModelExtraction
} // namespace Model
