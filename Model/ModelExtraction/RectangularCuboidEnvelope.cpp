#include "Model/ModelExtraction/RectangularCuboidEnvelope.h"

namespace Model {
namespace ModelExtraction {

RectangularCuboidEnvelope::RectangularCuboidEnvelope(std::int32_t originX, std::int32_t originY,
                                                     std::int32_t originZ, std::int32_t sizeX,
                                                     std::int32_t sizeY, std::int32_t sizeZ,
                                                     std::uint32_t material)
    : m_origin{originX, originY, originZ}, m_size{sizeX, sizeY, sizeZ}, m_material(material)
{
}

void RectangularCuboidEnvelope::setNeighbour(int slot, RectangularCuboidEnvelope *neighbour)
{
    if ((m_neighbours[slot] != nullptr) != (neighbour != nullptr))
        m_neighbourCount += neighbour ? 1 : -1;
    m_neighbours[slot] = neighbour;
}

} // namespace ModelExtraction
} // namespace Model
