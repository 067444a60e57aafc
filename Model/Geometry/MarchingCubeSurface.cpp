#include "Model/Geometry/MarchingCubeSurface.h"

#include "Model/Geometry/CellGrid.h"
#include "Model/Geometry/ColourMap.h"
#include "Model/Geometry/MarchingCubeTables.h"
#include "Model/Geometry/MaterialsSeen.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace Model {
namespace Geometry {

namespace {

// Corner offsets of a cube in cells, in the numbering of the case tables.
const int CornerOffsets[8][3] = {{0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0, 0},
                                 {0, 1, 1}, {1, 1, 1}, {1, 0, 1}, {0, 0, 1}};

using Vec3 = std::array<float, 3>;

Vec3 faceNormal(const Vec3 &a, const Vec3 &b, const Vec3 &c)
{
    const Vec3 u{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const Vec3 v{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    Vec3 n{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length > 0.0f)
        for (float &component : n)
            component /= length;
    return n;
}

// What one strip produces: its triangles, and for each of their vertices
// the grid point it rounds to, packed into one number.
struct StripMesh
{
    std::vector<Triangle> triangles;
    std::vector<std::uint64_t> keys;
};

// Rounds vertices to grid points and packs the point (i, j, k) into one
// key. Every coordinate lies in [-1, N] since the cubes reach one cell past
// the volume, so offsetting by one and packing over N + 2 values per axis
// gives every point its own key.
class GridKey
{
public:
    explicit GridKey(const std::array<int, 3> &size)
        : m_ny(std::uint64_t(size[1]) + 2), m_nz(std::uint64_t(size[2]) + 2)
    {
    }

    // `twice` is the vertex's position in doubled cell indices (the sum of
    // its edge's corner indices); halves round up.
    std::uint64_t operator()(const std::array<int, 3> &twice) const
    {
        std::uint64_t packed[3];
        for (std::size_t axis = 0; axis < 3; ++axis) {
            const int v = twice[axis] + 1; // >= -1
            const int rounded = v >= 0 ? v / 2 : -1;
            packed[axis] = std::uint64_t(rounded + 1);
        }
        return (packed[0] * m_ny + packed[1]) * m_nz + packed[2];
    }

private:
    std::uint64_t m_ny;
    std::uint64_t m_nz;
};

// The materials of one x plane of cells over the range's y and z extent
// and one cell beyond it on each side, empty outside the range: what the
// cubes of two neighbouring planes read, without a range check per corner.
class PaddedPlane
{
public:
    explicit PaddedPlane(const CellGrid &grid)
        : m_grid(&grid)
        , m_y0(grid.range.lower[1] - 1)
        , m_z0(grid.range.lower[2] - 1)
        , m_ny(grid.range.upper[1] - m_y0 + 1)
        , m_nz(grid.range.upper[2] - m_z0 + 1)
        , m_values(std::size_t(m_ny) * std::size_t(m_nz))
    {
    }

    void load(int x)
    {
        std::fill(m_values.begin(), m_values.end(), 0u);
        const Automaton::CellRange &range = m_grid->range;
        if (x < range.lower[0] || x >= range.upper[0])
            return;
        for (int y = range.lower[1]; y < range.upper[1]; ++y)
            for (int z = range.lower[2]; z < range.upper[2]; ++z)
                m_values[std::size_t(y - m_y0) * std::size_t(m_nz) + std::size_t(z - m_z0)] = m_grid->material(x, y, z);
    }

    std::uint32_t at(int y, int z) const
    {
        return m_values[std::size_t(y - m_y0) * std::size_t(m_nz) + std::size_t(z - m_z0)];
    }

private:
    const CellGrid *m_grid;
    int m_y0, m_z0, m_ny, m_nz;
    std::vector<std::uint32_t> m_values;
};

void polygoniseStrip(const CellGrid &grid, const ColourMap &colours, int first, int end, StripMesh &result)
{
    const Automaton::CellRange &range = grid.range;
    const GridKey key(grid.size);
    StripMesh mesh;
    PaddedPlane planes[2] = {PaddedPlane(grid), PaddedPlane(grid)};
    planes[1].load(first);
    for (int x = first; x < end; ++x) {
        std::swap(planes[0], planes[1]);
        planes[1].load(x + 1);
        for (int y = range.lower[1] - 1; y < range.upper[1]; ++y) {
            for (int z = range.lower[2] - 1; z < range.upper[2]; ++z) {
                std::uint32_t corner[8];
                int cubeIndex = 0;
                for (int c = 0; c < 8; ++c) {
                    corner[c] = planes[CornerOffsets[c][0]].at(y + CornerOffsets[c][1], z + CornerOffsets[c][2]);
                    if (corner[c] != 0)
                        cubeIndex |= 1 << c;
                }
                if (cubeIndex == 0 || cubeIndex == 255)
                    continue;
                const int *row = MarchingCubeTables::Triangles[cubeIndex];
                for (int t = 0; t < 15 && row[t] != -1; t += 3) {
                    Triangle triangle;
                    // In this corner numbering the tables wind every
                    // triangle counter-clockwise seen from the empty side.
                    const int edges[3] = {row[t], row[t + 1], row[t + 2]};
                    for (int v = 0; v < 3; ++v) {
                        const int a = MarchingCubeTables::edgeCorner(edges[v], 0);
                        const int b = MarchingCubeTables::edgeCorner(edges[v], 1);
                        std::array<int, 3> twice;
                        SurfaceVertex &vertex = triangle.vertices[std::size_t(v)];
                        for (std::size_t axis = 0; axis < 3; ++axis) {
                            const int base = axis == 0 ? x : axis == 1 ? y : z;
                            twice[axis] = 2 * base + CornerOffsets[a][axis] + CornerOffsets[b][axis];
                            // Cell i is sampled at its centre, (i + 1/2) cells.
                            vertex.position[axis] = float(twice[axis] + 1) * 0.5f * grid.cellSize[axis];
                        }
                        vertex.material = corner[a] != 0 ? corner[a] : corner[b];
                        const ColourMap::Colour &colour = colours.colour(vertex.material);
                        vertex.colour = {colour[0], colour[1], colour[2]};
                        mesh.keys.push_back(key(twice));
                    }
                    const Vec3 normal = faceNormal(triangle.vertices[0].position, triangle.vertices[1].position,
                                                   triangle.vertices[2].position);
                    for (SurfaceVertex &vertex : triangle.vertices)
                        vertex.normal = normal;
                    mesh.triangles.push_back(triangle);
                }
            }
        }
    }
    result = std::move(mesh);
}

// Averages the normals of the vertices of each grid key, in one pass over
// the vertices and one over the keys.
void smoothNormals(std::vector<Triangle> &triangles, const std::vector<std::uint64_t> &keys)
{
    std::unordered_map<std::uint64_t, std::uint32_t> slots;
    slots.reserve(keys.size() / 2);
    std::vector<std::array<double, 3>> sums;
    std::vector<std::uint32_t> slotOf(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto inserted = slots.emplace(keys[i], std::uint32_t(sums.size()));
        if (inserted.second)
            sums.push_back({0.0, 0.0, 0.0});
        slotOf[i] = inserted.first->second;
        const Vec3 &normal = triangles[i / 3].vertices[i % 3].normal;
        auto &sum = sums[slotOf[i]];
        for (std::size_t axis = 0; axis < 3; ++axis)
            sum[axis] += normal[axis];
    }
    std::vector<Vec3> smoothed(sums.size());
    std::vector<bool> usable(sums.size());
    for (std::size_t s = 0; s < sums.size(); ++s) {
        const auto &sum = sums[s];
        const double length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
        // Opposite faces meeting at one grid point cancel: those vertices
        // keep their face normals rather than take no direction at all.
        usable[s] = length > 1e-6;
        if (usable[s])
            smoothed[s] = {float(sum[0] / length), float(sum[1] / length), float(sum[2] / length)};
    }
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (usable[slotOf[i]])
            triangles[i / 3].vertices[i % 3].normal = smoothed[slotOf[i]];
}

} // namespace

TriangleMesh MarchingCubeSurface::build(const CellGrid &grid, const ColourMap &colours,
                                        std::vector<std::uint32_t> *materials)
{
    TriangleMesh mesh;
    if (materials)
        *materials = MaterialsSeen::of(grid);
    const Automaton::CellRange &range = grid.range;
    for (std::size_t axis = 0; axis < 3; ++axis)
        if (range.upper[axis] <= range.lower[axis])
            return mesh;
    // Cubes start one cell before the range, so that its lowest cells are
    // enclosed too.
    const auto strips = Automaton::ParallelStrips::split(range.lower[0] - 1, range.upper[0],
                                                         Automaton::ParallelStrips::threadCount());
    std::vector<StripMesh> parts(strips.size());
    Automaton::ParallelStrips::run(strips, [&](const Automaton::ParallelStrips::Strip &strip) {
        polygoniseStrip(grid, colours, strip.first, strip.end, parts[strip.index]);
    });
    // Joined in strip order; a single strip is taken over as it is.
    StripMesh joined = std::move(parts.front());
    std::size_t count = 0;
    for (const StripMesh &part : parts)
        count += part.triangles.size();
    joined.triangles.reserve(count);
    joined.keys.reserve(3 * count);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        joined.triangles.insert(joined.triangles.end(), parts[i].triangles.begin(), parts[i].triangles.end());
        joined.keys.insert(joined.keys.end(), parts[i].keys.begin(), parts[i].keys.end());
        parts[i] = StripMesh();
    }
    smoothNormals(joined.triangles, joined.keys);
    // The mesh is kept between frames: no room to spare.
    joined.triangles.shrink_to_fit();
    mesh.triangles = std::move(joined.triangles);
    return mesh;
}

} // namespace Geometry
} // namespace Model
