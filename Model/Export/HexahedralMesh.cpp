#include "Model/Export/HexahedralMesh.h"

#include <algorithm>
#include <map>

namespace Model {
namespace Export {

namespace {

// Offsets of a cell's corners in the order of the hexahedron.
constexpr int CornerOffsets[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                                     {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};

// The hexahedron's corners on each side, counter-clockwise seen from
// outside: -x, +x, -y, +y, -z, +z.
constexpr int SideCorners[6][4] = {{0, 4, 7, 3}, {1, 2, 6, 5}, {0, 1, 5, 4},
                                   {3, 7, 6, 2}, {0, 3, 2, 1}, {4, 5, 6, 7}};

} // namespace

HexahedralMesh::HexahedralMesh(const Geometry::CellGrid &grid)
    : m_grid(grid)
    , m_lower(grid.range.lower)
    , m_upper(grid.range.upper)
{
    for (std::size_t axis = 0; axis < 3; ++axis) {
        m_upper[axis] = std::max(m_upper[axis], m_lower[axis]);
        m_pointsAlong[axis] = m_upper[axis] - m_lower[axis] + 1;
    }
    m_points.assign(std::size_t(m_pointsAlong[0]) * std::size_t(m_pointsAlong[1]) * std::size_t(m_pointsAlong[2]),
                    NoPoint);
    // Marked first, numbered in lattice order after.
    std::map<std::uint32_t, std::uint64_t> counts;
    forEachCell([&](int x, int y, int z, std::uint32_t material) {
        ++m_cellCount;
        ++counts[material];
        for (const auto &offset : CornerOffsets)
            m_points[(std::size_t(x + offset[0] - m_lower[0]) * std::size_t(m_pointsAlong[1])
                      + std::size_t(y + offset[1] - m_lower[1]))
                         * std::size_t(m_pointsAlong[2])
                     + std::size_t(z + offset[2] - m_lower[2])] = 0;
    });
    m_materials.assign(counts.begin(), counts.end());
    for (std::uint32_t &number : m_points) {
        if (number == NoPoint)
            continue;
        if (m_pointCount >= NoPoint) {
            m_fits = false;
            number = NoPoint;
            continue;
        }
        number = std::uint32_t(m_pointCount++);
    }
}

std::uint32_t HexahedralMesh::material(int x, int y, int z) const
{
    if (x < m_lower[0] || y < m_lower[1] || z < m_lower[2] || x >= m_upper[0] || y >= m_upper[1] || z >= m_upper[2])
        return 0;
    return m_grid.material(x, y, z);
}

std::array<std::uint32_t, 6> HexahedralMesh::neighbours(int x, int y, int z) const
{
    return {material(x - 1, y, z), material(x + 1, y, z), material(x, y - 1, z),
            material(x, y + 1, z), material(x, y, z - 1), material(x, y, z + 1)};
}

std::array<std::uint32_t, 8> HexahedralMesh::corners(int x, int y, int z) const
{
    std::array<std::uint32_t, 8> result{};
    for (std::size_t c = 0; c < 8; ++c)
        result[c] = point(x + CornerOffsets[c][0], y + CornerOffsets[c][1], z + CornerOffsets[c][2]);
    return result;
}

std::array<std::uint32_t, 4> HexahedralMesh::side(int x, int y, int z, int which) const
{
    const std::array<std::uint32_t, 8> all = corners(x, y, z);
    std::array<std::uint32_t, 4> result{};
    for (std::size_t c = 0; c < 4; ++c)
        result[c] = all[std::size_t(SideCorners[which][c])];
    return result;
}

} // namespace Export
} // namespace Model
