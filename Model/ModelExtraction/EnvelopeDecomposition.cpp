#include "Model/ModelExtraction/EnvelopeDecomposition.h"

#include "Model/Automaton/TotalVolume.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <tuple>

namespace Model {
namespace ModelExtraction {

namespace {

using Coordinates = std::array<std::int32_t, 3>;

// The cells of a volume with their bodies: a body is a face-connected set
// of cells of one material, numbered from 1 in the order of their first
// cells; 0 marks empty cells.
class Bodies
{
public:
    Bodies(const Automaton::TotalVolume &volume, const Automaton::Voxel *cells)
        : m_size{std::int32_t(volume.sizeX()), std::int32_t(volume.sizeY()), std::int32_t(volume.sizeZ())}
        , m_cells(cells)
        , m_body(volume.cellCount(), 0)
    {
        for (std::size_t first = 0; first < m_body.size(); ++first)
            if (m_body[first] == 0 && material(first) != 0)
                fill(first, std::uint32_t(m_starts.size() + 1));
        m_starts.push_back(m_order.size());
    }

    std::size_t count() const { return m_starts.size() - 1; }
    // The cells of body `b` (from 1).
    const std::size_t *begin(std::uint32_t b) const { return m_order.data() + m_starts[b - 1]; }
    const std::size_t *end(std::uint32_t b) const { return m_order.data() + m_starts[b]; }
    std::uint32_t bodyOf(std::size_t index) const { return m_body[index]; }
    std::uint32_t material(std::size_t index) const { return m_cells[index].material; }

    std::int32_t size(int axis) const { return m_size[axis]; }
    std::size_t cellCount() const { return m_body.size(); }
    std::size_t indexOf(const Coordinates &c) const
    {
        return std::size_t(c[2]) + std::size_t(m_size[2]) * (std::size_t(c[1]) + std::size_t(m_size[1]) * c[0]);
    }
    Coordinates coordinatesOf(std::size_t index) const
    {
        return {std::int32_t(index / (std::size_t(m_size[2]) * std::size_t(m_size[1]))),
                std::int32_t((index / std::size_t(m_size[2])) % std::size_t(m_size[1])),
                std::int32_t(index % std::size_t(m_size[2]))};
    }
    // The cell one step from `c` along `axis` (`step` ±1); false beyond the volume.
    bool step(const Coordinates &c, int axis, int step, Coordinates &next) const
    {
        next = c;
        next[axis] += step;
        return next[axis] >= 0 && next[axis] < m_size[axis];
    }

private:
    void fill(std::size_t first, std::uint32_t body)
    {
        m_starts.push_back(m_order.size());
        const std::uint32_t m = material(first);
        m_body[first] = body;
        std::size_t next = m_order.size();
        m_order.push_back(first);
        while (next < m_order.size()) {
            const Coordinates c = coordinatesOf(m_order[next++]);
            for (int axis = 0; axis < 3; ++axis)
                for (int direction : {-1, 1}) {
                    Coordinates n;
                    if (!step(c, axis, direction, n))
                        continue;
                    const std::size_t index = indexOf(n);
                    if (m_body[index] == 0 && material(index) == m) {
                        m_body[index] = body;
                        m_order.push_back(index);
                    }
                }
        }
    }

    Coordinates m_size;
    const Automaton::Voxel *m_cells;
    std::vector<std::uint32_t> m_body;
    // The cells body by body, and where each body's run starts.
    std::vector<std::size_t> m_order;
    std::vector<std::size_t> m_starts;
};

// The planes that cut one body into blocks, along each axis: every plane
// where two neighbouring cells of the body or around it hold different
// materials. Only the body and the cells touching it count, so a structure
// elsewhere in the volume never cuts it, while whatever it rests on or
// touches does (an anchor under part of a beam ends the free part there).
class BodyPlanes
{
public:
    BodyPlanes(const Bodies &bodies, std::uint32_t body, std::vector<std::uint32_t> &stamp)
    {
        m_low.fill(std::numeric_limits<std::int32_t>::max());
        m_high.fill(-1);
        std::vector<std::size_t> around;
        const auto mark = [&](std::size_t index) {
            if (stamp[index] != body) {
                stamp[index] = body;
                around.push_back(index);
            }
        };
        for (const std::size_t *cell = bodies.begin(body); cell != bodies.end(body); ++cell) {
            const Coordinates c = bodies.coordinatesOf(*cell);
            for (int axis = 0; axis < 3; ++axis) {
                m_low[axis] = std::min(m_low[axis], c[axis]);
                m_high[axis] = std::max(m_high[axis], c[axis] + 1);
            }
            mark(*cell);
            for (int axis = 0; axis < 3; ++axis)
                for (int direction : {-1, 1}) {
                    Coordinates n;
                    if (bodies.step(c, axis, direction, n))
                        mark(bodies.indexOf(n));
                }
        }
        for (const std::size_t index : around) {
            const Coordinates c = bodies.coordinatesOf(index);
            for (int axis = 0; axis < 3; ++axis) {
                Coordinates n;
                if (!bodies.step(c, axis, 1, n))
                    continue;
                const std::size_t next = bodies.indexOf(n);
                if (stamp[next] == body && bodies.material(next) != bodies.material(index)
                    && n[axis] > m_low[axis] && n[axis] < m_high[axis])
                    m_cuts[axis].push_back(n[axis]);
            }
        }
        for (int axis = 0; axis < 3; ++axis) {
            std::vector<std::int32_t> &cuts = m_cuts[axis];
            cuts.push_back(m_low[axis]);
            cuts.push_back(m_high[axis]);
            std::sort(cuts.begin(), cuts.end());
            cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
        }
    }

    // The body's bounding box cut at every plane: ascending positions from
    // its low side to its high side, both included.
    const std::vector<std::int32_t> &cuts(int axis) const { return m_cuts[axis]; }

private:
    Coordinates m_low;
    Coordinates m_high;
    std::array<std::vector<std::int32_t>, 3> m_cuts;
};

// Whether any cell just beyond face `slot` of the block holds a material.
bool touchesAnything(const Bodies &bodies, const RectangularCuboidEnvelope &block, int slot)
{
    const int axis = slot / 2;
    const std::int32_t layer = (slot & 1) ? block.origin(axis) + block.size(axis) : block.origin(axis) - 1;
    if (layer < 0 || layer >= bodies.size(axis))
        return false;
    const int a = (axis + 1) % 3;
    const int b = (axis + 2) % 3;
    Coordinates c;
    c[axis] = layer;
    for (c[a] = block.origin(a); c[a] < block.origin(a) + block.size(a); ++c[a])
        for (c[b] = block.origin(b); c[b] < block.origin(b) + block.size(b); ++c[b])
            if (bodies.material(bodies.indexOf(c)) != 0)
                return true;
    return false;
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
    EnvelopeList envelopes;
    if (volume.cellCount() == 0)
        return envelopes;

    Automaton::LockedCells cells(volume);
    const Bodies bodies(volume, cells.get());
    std::vector<std::uint32_t> stamp(bodies.cellCount(), 0);
    for (std::uint32_t body = 1; body <= bodies.count(); ++body) {
        const BodyPlanes planes(bodies, body, stamp);
        const std::uint32_t material = bodies.material(*bodies.begin(body));
        const auto &xs = planes.cuts(0), &ys = planes.cuts(1), &zs = planes.cuts(2);
        // Every block of the cut box lies wholly inside the body or wholly
        // outside it: the body's own faces are among the planes.
        for (std::size_t i = 0; i + 1 < xs.size(); ++i)
            for (std::size_t j = 0; j + 1 < ys.size(); ++j)
                for (std::size_t k = 0; k + 1 < zs.size(); ++k) {
                    if (bodies.bodyOf(bodies.indexOf({xs[i], ys[j], zs[k]})) != body)
                        continue;
                    auto block = boost::shared_ptr<RectangularCuboidEnvelope>(new RectangularCuboidEnvelope(
                        xs[i], ys[j], zs[k], xs[i + 1] - xs[i], ys[j + 1] - ys[j], zs[k + 1] - zs[k], material));
                    for (int slot = 0; slot < RectangularCuboidEnvelope::SlotCount; ++slot)
                        block->setTouching(slot, touchesAnything(bodies, *block, slot));
                    envelopes.push_back(block);
                }
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
