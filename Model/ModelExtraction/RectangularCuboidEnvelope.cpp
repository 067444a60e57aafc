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

void RectangularCuboidEnvelope::setTouching(int slot, bool touching)
{
    const auto bit = std::uint8_t(1u << slot);
    m_touching = std::uint8_t(touching ? m_touching | bit : m_touching & ~bit);
}

int RectangularCuboidEnvelope::touchingFaceCount() const
{
    int count = 0;
    for (int slot = 0; slot < SlotCount; ++slot)
        count += isTouching(slot);
    return count;
}

} // namespace ModelExtraction
} // namespace Model
