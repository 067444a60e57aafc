#include "Model/Geometry/MaterialSurfaceBuilder.h"

#include "Model/Automaton/ParallelStrips.h"
#include "Model/Geometry/CellGrid.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace Model {
namespace Geometry {

namespace {

using Automaton::ParallelStrips;

// Sides between the same two materials merged on one plane: the plane
// `plane` across axis `axis`, covering [u0, u1) x [v0, v1) along the next
// two axes in cyclic order, with `below` on the lower side of the plane and
// `above` on the upper one (0: empty or outside). The rectangle is a face
// of both bodies, facing out of each.
struct SideRectangle
{
    std::uint32_t below;
    std::uint32_t above;
    int axis;
    int plane, u0, u1, v0, v1;
};

// The two materials on either side of a plane, as one label to merge by.
using SidePair = std::uint64_t;

SidePair sidePair(std::uint32_t below, std::uint32_t above)
{
    return SidePair(below) << 32 | above;
}

// A few neighbouring planes across one axis, [first, end): handled
// together so that the cells are read in memory order whatever the axis.
struct PlaneJob
{
    int axis;
    int first;
    int end;
};

constexpr int PlanesPerJob = 8;

// What some planes contribute: their rectangles and, for the planes across
// x, the materials of the cell layers above them with their cell counts.
struct PlaneResult
{
    std::vector<SideRectangle> rectangles;
    std::vector<std::pair<std::uint32_t, std::uint64_t>> cellCounts;
};

void countCell(std::vector<std::pair<std::uint32_t, std::uint64_t>> &counts, std::uint32_t material)
{
    if (material == 0)
        return;
    // Neighbouring cells mostly hold the same material.
    if (!counts.empty() && counts.back().first == material) {
        ++counts.back().second;
        return;
    }
    for (auto &entry : counts)
        if (entry.first == material) {
            ++entry.second;
            return;
        }
    counts.emplace_back(material, 1);
}

// Greedy merging of a plane's labels (0: no side) into rectangles: the
// first unmerged side grows along v as far as the label holds, then along u
// while whole rows of that width hold it. Merged labels are cleared.
template<typename Emit>
void mergeSides(SidePair *labels, int nu, int nv, Emit &&emit)
{
    for (int u = 0; u < nu; ++u) {
        for (int v = 0; v < nv; ++v) {
            const SidePair material = labels[std::size_t(u) * std::size_t(nv) + std::size_t(v)];
            if (material == 0)
                continue;
            int v1 = v + 1;
            while (v1 < nv && labels[std::size_t(u) * std::size_t(nv) + std::size_t(v1)] == material)
                ++v1;
            int u1 = u + 1;
            for (bool whole = true; whole && u1 < nu;) {
                for (int k = v; k < v1 && whole; ++k)
                    whole = labels[std::size_t(u1) * std::size_t(nv) + std::size_t(k)] == material;
                if (whole)
                    ++u1;
            }
            for (int i = u; i < u1; ++i)
                for (int k = v; k < v1; ++k)
                    labels[std::size_t(i) * std::size_t(nv) + std::size_t(k)] = 0;
            emit(material, u, u1, v, v1);
        }
    }
}

PlaneResult sidesOfPlanes(const CellGrid &grid, const PlaneJob &job, std::vector<SidePair> &labels)
{
    const int a = job.axis, b = (a + 1) % 3, c = (a + 2) % 3;
    const int lowerU = grid.range.lower[std::size_t(b)], lowerV = grid.range.lower[std::size_t(c)];
    const int nu = grid.range.upper[std::size_t(b)] - lowerU, nv = grid.range.upper[std::size_t(c)] - lowerV;
    const std::size_t planeCells = std::size_t(nu) * std::size_t(nv);
    labels.assign(planeCells * std::size_t(job.end - job.first), 0);
    PlaneResult result;

    // Each cell of the planes' upper layers against its neighbour below,
    // visited x slowest and z fastest as the cells lie in memory. Only
    // along the axis can a cell or its neighbour lie outside the range.
    std::array<int, 3> lower = grid.range.lower, upper = grid.range.upper;
    lower[std::size_t(a)] = job.first;
    upper[std::size_t(a)] = job.end;
    const std::array<std::ptrdiff_t, 3> stride = {std::ptrdiff_t(grid.size[1]) * grid.size[2], grid.size[2], 1};
    std::array<int, 3> cell{};
    for (cell[0] = lower[0]; cell[0] < upper[0]; ++cell[0])
        for (cell[1] = lower[1]; cell[1] < upper[1]; ++cell[1]) {
            for (cell[2] = lower[2]; cell[2] < upper[2]; ++cell[2]) {
                const int along = cell[std::size_t(a)];
                const bool overInside = along < grid.range.upper[std::size_t(a)];
                const bool underInside = along > grid.range.lower[std::size_t(a)];
                const std::ptrdiff_t index = cell[0] * stride[0] + cell[1] * stride[1] + cell[2];
                const std::uint32_t over = overInside ? grid.cells[index].material : 0;
                const std::uint32_t under = underInside ? grid.cells[index - stride[std::size_t(a)]].material : 0;
                if (a == 0)
                    countCell(result.cellCounts, over);
                if (under == over)
                    continue;
                const std::size_t at = std::size_t(along - job.first) * planeCells
                                       + std::size_t(cell[std::size_t(b)] - lowerU) * std::size_t(nv)
                                       + std::size_t(cell[std::size_t(c)] - lowerV);
                labels[at] = sidePair(under, over);
            }
        }
    for (int plane = job.first; plane < job.end; ++plane) {
        const std::size_t offset = std::size_t(plane - job.first) * planeCells;
        mergeSides(labels.data() + offset, nu, nv, [&](SidePair pair, int u0, int u1, int v0, int v1) {
            result.rectangles.push_back({std::uint32_t(pair >> 32), std::uint32_t(pair), a, plane, lowerU + u0,
                                         lowerU + u1, lowerV + v0, lowerV + v1});
        });
    }
    return result;
}

using LatticePoint = std::array<int, 3>;

LatticePoint latticePoint(const SideRectangle &r, int u, int v)
{
    LatticePoint p{};
    p[std::size_t(r.axis)] = r.plane;
    p[std::size_t((r.axis + 1) % 3)] = u;
    p[std::size_t((r.axis + 2) % 3)] = v;
    return p;
}

// One number per lattice point of the grid, corners of the far cells included.
std::uint64_t latticeKey(const CellGrid &grid, const LatticePoint &p)
{
    const std::uint64_t ny = std::uint64_t(grid.size[1]) + 1, nz = std::uint64_t(grid.size[2]) + 1;
    return (std::uint64_t(p[0]) * ny + std::uint64_t(p[1])) * nz + std::uint64_t(p[2]);
}

using CornerSet = std::unordered_set<std::uint64_t>;

void addCornersOf(const CellGrid &grid, const std::vector<SideRectangle> &rectangles, CornerSet &corners)
{
    for (const SideRectangle &r : rectangles)
        for (const int u : {r.u0, r.u1})
            for (const int v : {r.v0, r.v1})
                corners.insert(latticeKey(grid, latticePoint(r, u, v)));
}

// How far a rectangle's triangles may be from equilateral. A rectangle
// longer than MaxElongation times its width is cut across; one whose edge
// holds a piece (between the corners of the rectangles on it) shorter than
// its long side over MaxGrading is halved, so that the fan from its centre
// has no needle. Within both, no triangle's longest edge is more than 6.7
// times its shortest height; merged walls of any size stay two triangles
// while they are no more elongated than that.
constexpr double MaxElongation = 3.0;
constexpr double MaxGrading = 4.0;

// The rectangles cut until each can be triangulated within the bounds
// above. A cut puts new corners on the edges of neighbouring rectangles,
// which may then need cutting in turn; every cut halves a side at least, so
// it ends, at the latest with single cell sides, which meet the bounds when
// the cells are no more elongated than MaxElongation.
std::vector<SideRectangle> refineSides(const CellGrid &grid, std::vector<SideRectangle> rectangles)
{
    std::vector<SideRectangle> next;
    CornerSet corners;
    for (bool cut = true; cut;) {
        cut = false;
        corners.clear();
        addCornersOf(grid, rectangles, corners);
        next.clear();
        next.reserve(rectangles.size());
        for (const SideRectangle &r : rectangles) {
            const int ua = (r.axis + 1) % 3, va = (r.axis + 2) % 3;
            const double du = double(grid.cellSize[std::size_t(ua)]), dv = double(grid.cellSize[std::size_t(va)]);
            const double width = (r.u1 - r.u0) * du, height = (r.v1 - r.v0) * dv;
            const bool alongU = width >= height;
            const int cells = alongU ? r.u1 - r.u0 : r.v1 - r.v0;
            const double longSide = std::max(width, height), shortSide = std::min(width, height);
            int pieces = 1;
            if (cells > 1 && longSide > MaxElongation * shortSide) {
                pieces = std::min(cells, int(std::ceil(longSide / (MaxElongation * shortSide))));
            } else if (cells > 1) {
                // The shortest piece of the outline between two corners.
                double shortest = longSide;
                auto edge = [&](int u, int v, int stepU, int stepV, int count, double step) {
                    int last = 0;
                    for (int k = 1; k <= count; ++k)
                        if (k == count || corners.count(latticeKey(grid, latticePoint(r, u + k * stepU, v + k * stepV)))) {
                            shortest = std::min(shortest, (k - last) * step);
                            last = k;
                        }
                };
                edge(r.u0, r.v0, 1, 0, r.u1 - r.u0, du);
                edge(r.u0, r.v1, 1, 0, r.u1 - r.u0, du);
                edge(r.u0, r.v0, 0, 1, r.v1 - r.v0, dv);
                edge(r.u1, r.v0, 0, 1, r.v1 - r.v0, dv);
                if (shortest * MaxGrading < longSide)
                    pieces = 2;
            }
            if (pieces == 1) {
                next.push_back(r);
                continue;
            }
            cut = true;
            const int first = alongU ? r.u0 : r.v0;
            for (int piece = 0; piece < pieces; ++piece) {
                SideRectangle part = r;
                const int from = first + int(std::int64_t(cells) * piece / pieces);
                const int to = first + int(std::int64_t(cells) * (piece + 1) / pieces);
                (alongU ? part.u0 : part.v0) = from;
                (alongU ? part.u1 : part.v1) = to;
                next.push_back(part);
            }
        }
        rectangles.swap(next);
    }
    return rectangles;
}

// Turns the rectangles into triangles over shared points, and hands them
// to the bodies on their two sides.
class SideTriangulation
{
public:
    SideTriangulation(const CellGrid &grid, const std::array<double, 3> &origin, MaterialSurfaces &surfaces)
        : m_grid(grid), m_origin(origin), m_surfaces(surfaces)
    {
    }

    // Every rectangle's edges are split at every corner of any rectangle on
    // them, so all bodies together form one mesh without T-junctions and
    // the two bodies of a face share its triangles.
    void addCorners(const std::vector<SideRectangle> &rectangles) { addCornersOf(m_grid, rectangles, m_corners); }

    // The triangles facing up the rectangle's axis, out of the body below.
    const std::vector<MaterialSurfaces::Triangle> &triangulate(const SideRectangle &r)
    {
        m_loop.clear();
        m_triangles.clear();
        const int width = r.u1 - r.u0, height = r.v1 - r.v0;
        walk(r, r.u0, r.v0, 1, 0, width);
        walk(r, r.u1, r.v0, 0, 1, height);
        walk(r, r.u1, r.v1, -1, 0, width);
        walk(r, r.u0, r.v1, 0, -1, height);
        if (m_loop.size() == 4) {
            m_triangles.push_back({m_loop[0], m_loop[1], m_loop[2]});
            m_triangles.push_back({m_loop[0], m_loop[2], m_loop[3]});
            return m_triangles;
        }
        std::array<double, 3> centre{};
        centre[std::size_t(r.axis)] = r.plane;
        centre[std::size_t((r.axis + 1) % 3)] = 0.5 * (r.u0 + r.u1);
        centre[std::size_t((r.axis + 2) % 3)] = 0.5 * (r.v0 + r.v1);
        const std::uint32_t middle = std::uint32_t(m_surfaces.points.size());
        m_surfaces.points.push_back(world(centre));
        for (std::size_t i = 0; i < m_loop.size(); ++i)
            m_triangles.push_back({middle, m_loop[i], m_loop[(i + 1) % m_loop.size()]});
        return m_triangles;
    }

private:
    std::uint64_t key(const LatticePoint &p) const { return latticeKey(m_grid, p); }

    MaterialSurfaces::Point world(const std::array<double, 3> &lattice) const
    {
        MaterialSurfaces::Point point{};
        for (std::size_t axis = 0; axis < 3; ++axis)
            point[axis] = float(m_origin[axis] + lattice[axis] * double(m_grid.cellSize[axis]));
        return point;
    }

    std::uint32_t pointAt(const LatticePoint &p)
    {
        const auto found = m_points.emplace(key(p), std::uint32_t(m_surfaces.points.size()));
        if (found.second)
            m_surfaces.points.push_back(world({double(p[0]), double(p[1]), double(p[2])}));
        return found.first->second;
    }

    // The corners met walking from (u, v) by `count` unit steps of (du, dv),
    // the start included and the end left out.
    void walk(const SideRectangle &r, int u, int v, int du, int dv, int count)
    {
        for (int step = 0; step < count; ++step, u += du, v += dv) {
            const LatticePoint p = latticePoint(r, u, v);
            if (step == 0 || m_corners.count(key(p)))
                m_loop.push_back(pointAt(p));
        }
    }

    const CellGrid &m_grid;
    std::array<double, 3> m_origin;
    MaterialSurfaces &m_surfaces;
    std::unordered_map<std::uint64_t, std::uint32_t> m_points;
    CornerSet m_corners;
    std::vector<std::uint32_t> m_loop;
    std::vector<MaterialSurfaces::Triangle> m_triangles;
};

} // namespace

MaterialSurfaces MaterialSurfaceBuilder::build(const CellGrid &grid, const std::array<double, 3> &origin)
{
    MaterialSurfaces surfaces;
    for (std::size_t axis = 0; axis < 3; ++axis)
        if (grid.range.upper[axis] <= grid.range.lower[axis])
            return surfaces;

    std::vector<PlaneJob> jobs;
    for (int axis = 0; axis < 3; ++axis) {
        // The last plane lies on the range's far side, past its last cells.
        const int end = grid.range.upper[std::size_t(axis)] + 1;
        for (int first = grid.range.lower[std::size_t(axis)]; first < end; first += PlanesPerJob)
            jobs.push_back({axis, first, std::min(first + PlanesPerJob, end)});
    }
    std::vector<PlaneResult> planes(jobs.size());
    ParallelStrips::run(ParallelStrips::split(0, int(jobs.size()), ParallelStrips::threadCount()),
                        [&](const ParallelStrips::Strip &strip) {
                            std::vector<SidePair> labels;
                            for (int job = strip.first; job < strip.end; ++job)
                                planes[std::size_t(job)] = sidesOfPlanes(grid, jobs[std::size_t(job)], labels);
                        });

    // Bodies in material order, their triangles in plane order.
    std::map<std::uint32_t, MaterialSurfaces::Body> bodies;
    SideTriangulation triangulation(grid, origin, surfaces);
    std::vector<SideRectangle> merged;
    for (PlaneResult &plane : planes) {
        merged.insert(merged.end(), plane.rectangles.begin(), plane.rectangles.end());
        std::vector<SideRectangle>().swap(plane.rectangles);
        for (const auto &count : plane.cellCounts)
            bodies[count.first].cellCount += count.second;
    }
    const std::vector<SideRectangle> rectangles = refineSides(grid, std::move(merged));
    triangulation.addCorners(rectangles);
    for (const SideRectangle &r : rectangles) {
        const auto &triangles = triangulation.triangulate(r);
        if (r.below != 0) {
            auto &faces = bodies[r.below].triangles;
            faces.insert(faces.end(), triangles.begin(), triangles.end());
        }
        if (r.above != 0) {
            auto &faces = bodies[r.above].triangles;
            for (const auto &t : triangles)
                faces.push_back({t[0], t[2], t[1]});
        }
    }
    for (auto &entry : bodies) {
        entry.second.material = entry.first;
        surfaces.bodies.push_back(std::move(entry.second));
    }
    return surfaces;
}

} // namespace Geometry
} // namespace Model
