#include "Model/ModelExtraction/CantileverModelRule.h"

#include "Model/ModelExtraction/CantileverStructure.h"

#include <algorithm>

namespace Model {
namespace ModelExtraction {

namespace {

constexpr std::uint32_t Silicon = 1;

bool isFreeEnd(const RectangularCuboidEnvelope &e)
{
    return e.material() != Silicon && e.neighbourCount() == 1
           && !e.neighbour(RectangularCuboidEnvelope::Below) && !e.neighbour(RectangularCuboidEnvelope::Above);
}

} // namespace

boost::shared_ptr<IStructure> CantileverModelRule::apply(const EnvelopeList &model)
{
    m_cantilevers.clear();
    for (const auto &end : model) {
        if (!isFreeEnd(*end))
            continue;
        int direction = 0;
        while (!end->neighbour(direction))
            ++direction;
        const int axis = direction / 2;
        std::int32_t low[3] = {end->originX(), end->originY(), end->originZ()};
        std::int32_t length[3] = {end->sizeX(), end->sizeY(), end->sizeZ()};
        // Each block the walk takes adds its own extent along the beam,
        // whichever way the beam points.
        for (const RectangularCuboidEnvelope *n = end->neighbour(direction);
             n && n != end.get() && n->material() == end->material() && n->neighbourCount() == 2
             && n->neighbour(direction);
             n = n->neighbour(direction)) {
            length[axis] += n->size(axis);
            for (int a = 0; a < 3; ++a)
                low[a] = std::min(low[a], n->origin(a));
        }
        m_cantilevers.push_back(boost::shared_ptr<RectangularCuboidEnvelope>(new RectangularCuboidEnvelope(
            low[0], low[1], low[2], length[0], length[1], length[2], end->material())));
    }
    if (m_cantilevers.empty())
        return {};
    return boost::shared_ptr<IStructure>(new CantileverStructure(m_cantilevers));
}

} // namespace ModelExtraction
} // namespace Model
