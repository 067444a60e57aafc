#pragma once

#include <array>
#include <cstddef>

namespace Core {
namespace Operations {

// The 26 neighbours of a cell of a volume, in lexicographic order of
// (dx, dy, dz): (-1,-1,-1), (-1,-1,0), ... (1,1,1).
class MooreNeighbours
{
public:
    explicit MooreNeighbours(const std::array<int, 3> &size) : m_size(size)
    {
        int n = 0;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dz = -1; dz <= 1; ++dz) {
                    if (!dx && !dy && !dz)
                        continue;
                    m_offsets[n] = {dx, dy, dz};
                    m_indexOffsets[n] = std::ptrdiff_t(dz) + std::ptrdiff_t(size[2]) * (dy + std::ptrdiff_t(size[1]) * dx);
                    ++n;
                }
    }

    // Calls visit(nx, neighbourIndex) for every neighbour of the cell
    // (x, y, z) at `index` that lies inside the volume, in order, until
    // visit returns true; true when it did.
    template<typename Visit>
    bool find(int x, int y, int z, std::size_t index, const Visit &visit) const
    {
        const bool interior = x > 0 && y > 0 && z > 0 && x + 1 < m_size[0] && y + 1 < m_size[1] && z + 1 < m_size[2];
        for (int n = 0; n < 26; ++n) {
            const int nx = x + m_offsets[n][0];
            if (!interior) {
                const int ny = y + m_offsets[n][1], nz = z + m_offsets[n][2];
                if (nx < 0 || ny < 0 || nz < 0 || nx >= m_size[0] || ny >= m_size[1] || nz >= m_size[2])
                    continue;
            }
            if (visit(nx, std::size_t(std::ptrdiff_t(index) + m_indexOffsets[n])))
                return true;
        }
        return false;
    }

private:
    const std::array<int, 3> m_size;
    std::array<std::array<int, 3>, 26> m_offsets{};
    std::array<std::ptrdiff_t, 26> m_indexOffsets{};
};

} // namespace Operations
} // namespace Core
