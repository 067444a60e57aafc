#pragma once

#include "Model/Geometry/MaterialSurfaces.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <utility>

namespace TestSupport {

// Edges of a body that are not matched by the same edge walked the other
// way. A closed, consistently oriented surface has none; then every edge is
// also used an even number of times.
inline std::size_t unmatchedEdges(const Model::Geometry::MaterialSurfaces::Body &body)
{
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> balance;
    for (const auto &t : body.triangles)
        for (std::size_t i = 0; i < 3; ++i) {
            const std::uint32_t a = t[i], b = t[(i + 1) % 3];
            if (a < b)
                ++balance[{a, b}];
            else
                --balance[{b, a}];
        }
    std::size_t unmatched = 0;
    for (const auto &entry : balance)
        unmatched += std::size_t(std::abs(entry.second));
    return unmatched;
}

// The volume the body's triangles enclose (positive when they face out).
inline double enclosedVolume(const Model::Geometry::MaterialSurfaces &surfaces,
                             const Model::Geometry::MaterialSurfaces::Body &body)
{
    double volume = 0;
    for (const auto &t : body.triangles) {
        const auto &a = surfaces.points[t[0]], &b = surfaces.points[t[1]], &c = surfaces.points[t[2]];
        volume += (double(a[0]) * (double(b[1]) * c[2] - double(b[2]) * c[1])
                   - double(a[1]) * (double(b[0]) * c[2] - double(b[2]) * c[0])
                   + double(a[2]) * (double(b[0]) * c[1] - double(b[1]) * c[0]))
                  / 6.0;
    }
    return volume;
}

// Twice the area of a triangle; zero for one whose corners lie on a line.
inline double doubledArea(const Model::Geometry::MaterialSurfaces &surfaces,
                          const Model::Geometry::MaterialSurfaces::Triangle &t)
{
    const auto &a = surfaces.points[t[0]], &b = surfaces.points[t[1]], &c = surfaces.points[t[2]];
    const double u[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
    const double v[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
    const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    return std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
}

// How far a triangle is from equilateral: its longest edge over its
// shortest height (1.15 for an equilateral one, unbounded for a sliver).
inline double elongation(const Model::Geometry::MaterialSurfaces &surfaces,
                         const Model::Geometry::MaterialSurfaces::Triangle &t)
{
    double longest = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const auto &a = surfaces.points[t[i]], &b = surfaces.points[t[(i + 1) % 3]];
        const double d[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
        longest = std::max(longest, std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]));
    }
    const double area = doubledArea(surfaces, t);
    return area > 0 ? longest * longest / area : HUGE_VAL;
}

} // namespace TestSupport
