#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace Model {
namespace Geometry {
struct CellGrid;
}

namespace Export {

// The cells of a volume as the conforming hexahedral mesh a finite-element
// program reads: every non-empty cell of the grid's range is one
// hexahedron, and neighbouring cells share the lattice points of their
// common corners. Empty cells are left out, and so are the lattice points
// that only they touch. Points are numbered in lattice order (x slowest,
// z fastest), cells come in the volume's order.
class HexahedralMesh
{
public:
    static constexpr std::uint32_t NoPoint = 0xffffffffu;

    // Numbers the points; the grid's cells must stay locked while the mesh
    // is used.
    explicit HexahedralMesh(const Geometry::CellGrid &grid);

    // False when the points cannot be numbered in 32 bits.
    bool fits() const { return m_fits; }
    std::uint64_t pointCount() const { return m_pointCount; }
    std::uint64_t cellCount() const { return m_cellCount; }
    // The materials of the cells, ascending, with their cell counts.
    const std::vector<std::pair<std::uint32_t, std::uint64_t>> &materials() const { return m_materials; }
    const std::array<int, 3> &lower() const { return m_lower; }
    const std::array<int, 3> &upper() const { return m_upper; }

    // Calls visit(i, j, k) for every used lattice point in number order.
    template<typename Visit>
    void forEachPoint(Visit &&visit) const
    {
        std::size_t at = 0;
        for (int i = m_lower[0]; i <= m_upper[0]; ++i)
            for (int j = m_lower[1]; j <= m_upper[1]; ++j)
                for (int k = m_lower[2]; k <= m_upper[2]; ++k, ++at)
                    if (m_points[at] != NoPoint)
                        visit(i, j, k);
    }

    // Calls visit(x, y, z, material) for every non-empty cell in order.
    template<typename Visit>
    void forEachCell(Visit &&visit) const;

    // Which of the six neighbours of a cell hold another material (0 when
    // empty or outside the range), in the order -x, +x, -y, +y, -z, +z.
    std::array<std::uint32_t, 6> neighbours(int x, int y, int z) const;

    // The point numbers of a cell's corners in the order of VTK's and gmsh's
    // hexahedron: the lower face counter-clockwise seen from above, then
    // the upper face.
    std::array<std::uint32_t, 8> corners(int x, int y, int z) const;
    // The corners of one side (in the order of neighbours()), counter-
    // clockwise seen from outside the cell.
    std::array<std::uint32_t, 4> side(int x, int y, int z, int which) const;

    std::uint32_t material(int x, int y, int z) const;

private:
    std::uint32_t point(int i, int j, int k) const
    {
        return m_points[(std::size_t(i - m_lower[0]) * std::size_t(m_pointsAlong[1]) + std::size_t(j - m_lower[1]))
                            * std::size_t(m_pointsAlong[2])
                        + std::size_t(k - m_lower[2])];
    }

    const Geometry::CellGrid &m_grid;
    std::array<int, 3> m_lower{}, m_upper{};
    std::array<int, 3> m_pointsAlong{};
    std::vector<std::uint32_t> m_points; // lattice point -> number, or NoPoint
    std::vector<std::pair<std::uint32_t, std::uint64_t>> m_materials;
    std::uint64_t m_pointCount = 0;
    std::uint64_t m_cellCount = 0;
    bool m_fits = true;
};

} // namespace Export
} // namespace Model

#include "Model/Geometry/CellGrid.h"

namespace Model {
namespace Export {

template<typename Visit>
void HexahedralMesh::forEachCell(Visit &&visit) const
{
    for (int x = m_lower[0]; x < m_upper[0]; ++x)
        for (int y = m_lower[1]; y < m_upper[1]; ++y)
            for (int z = m_lower[2]; z < m_upper[2]; ++z) {
                const std::uint32_t material = m_grid.material(x, y, z);
                if (material != 0)
                    visit(x, y, z, material);
            }
}

} // namespace Export
} // namespace Model
