#pragma once

#include <array>
#include <cstdint>

namespace Model {
namespace ModelExtraction {

// A block of cells of one material, with a link to the block that shares each
// of its six faces exactly, and for each face whether anything touches it at
// all. Slots: 0 = -x, 1 = +x, 2 = -y, 3 = +y, 4 = -z (below), 5 = +z (above).
class RectangularCuboidEnvelope
{
public:
    enum Slot { MinusX = 0, PlusX, MinusY, PlusY, Below, Above, SlotCount };

    RectangularCuboidEnvelope(std::int32_t originX, std::int32_t originY, std::int32_t originZ,
                              std::int32_t sizeX, std::int32_t sizeY, std::int32_t sizeZ,
                              std::uint32_t material);

    std::int32_t origin(int axis) const { return m_origin[axis]; }
    std::int32_t size(int axis) const { return m_size[axis]; }
    std::int32_t originX() const { return m_origin[0]; }
    std::int32_t originY() const { return m_origin[1]; }
    std::int32_t originZ() const { return m_origin[2]; }
    std::int32_t sizeX() const { return m_size[0]; }
    std::int32_t sizeY() const { return m_size[1]; }
    std::int32_t sizeZ() const { return m_size[2]; }
    std::uint32_t material() const { return m_material; }

    // Plain pointers: the blocks of one decomposition live as long as its list.
    RectangularCuboidEnvelope *neighbour(int slot) const { return m_neighbours[slot]; }
    void setNeighbour(int slot, RectangularCuboidEnvelope *neighbour);
    int neighbourCount() const { return m_neighbourCount; }

    static int oppositeSlot(int slot) { return slot ^ 1; }

    // Whether anything (a block linked or not, of any body) lies just
    // beyond the face of `slot`, over any part of it.
    bool isTouching(int slot) const { return (m_touching >> slot) & 1u; }
    void setTouching(int slot, bool touching);
    int touchingFaceCount() const;

private:
    std::array<std::int32_t, 3> m_origin;
    std::array<std::int32_t, 3> m_size;
    std::uint32_t m_material;
    std::array<RectangularCuboidEnvelope *, SlotCount> m_neighbours{};
    int m_neighbourCount = 0;
    std::uint8_t m_touching = 0;
};

} // namespace ModelExtraction
} // namespace Model
