#include "Model/ModelExtraction/CantileverModelRule.h"

#include <algorithm>

namespace Model {
namespace ModelExtraction {

namespace {

constexpr std::uint32_t Silicon = 1;

// The side face through which a beam's free end block is held: the one face
// that touches anything, when that is a side face; -1 otherwise.
int heldSide(const RectangularCuboidEnvelope &e)
{
    if (e.material() == Silicon || e.touchingFaceCount() != 1)
        return -1;
    for (int slot = RectangularCuboidEnvelope::MinusX; slot <= RectangularCuboidEnvelope::PlusY; ++slot)
        if (e.isTouching(slot))
            return slot;
    return -1;
}

// Whether `n` carries the beam on: of its material, touching only the
// block before it and the one after it, which is linked.
bool continuesBeam(const RectangularCuboidEnvelope &n, const RectangularCuboidEnvelope &end, int direction)
{
    return &n != &end && n.material() == end.material() && n.touchingFaceCount() == 2
        && n.isTouching(RectangularCuboidEnvelope::oppositeSlot(direction)) && n.neighbour(direction);
}

} // namespace

CantileverModelRule::CantileverModelRule(const CellEdges &edges) : m_edges(edges) {}

boost::shared_ptr<IStructure> CantileverModelRule::apply(const EnvelopeList &model)
{
    m_found.clear();
    m_cantilevers.clear();
    for (const auto &end : model) {
        const int direction = heldSide(*end);
        if (direction < 0)
            continue;
        const int axis = direction / 2;
        std::int32_t low[3] = {end->originX(), end->originY(), end->originZ()};
        std::int32_t length[3] = {end->sizeX(), end->sizeY(), end->sizeZ()};
        for (const RectangularCuboidEnvelope *n = end->neighbour(direction); n && continuesBeam(*n, *end, direction);
             n = n->neighbour(direction)) {
            length[axis] += n->size(axis);
            for (int a = 0; a < 3; ++a)
                low[a] = std::min(low[a], n->origin(a));
        }
        const boost::shared_ptr<RectangularCuboidEnvelope> beam(new RectangularCuboidEnvelope(
            low[0], low[1], low[2], length[0], length[1], length[2], end->material()));
        m_found.push_back({beam, axis});
        m_cantilevers.push_back(beam);
    }
    if (m_found.empty())
        return {};
    return boost::shared_ptr<IStructure>(new CantileverStructure(m_found, m_edges));
}

} // namespace ModelExtraction
} // namespace Model
