#include "Model/Geometry/ClipPlanes.h"

#include <cmath>

namespace Model {
namespace Geometry {

namespace {

constexpr double Tolerance = 1e-6;

} // namespace

bool ClipPlanes::add(double a, double b, double c, double d)
{
    if (a * a + b * b + c * c <= Tolerance)
        return false;
    const double length = std::sqrt(a * a + b * b + c * c + d * d);
    const Plane plane{a / length, b / length, c / length, d / length};
    for (const Plane &kept : m_planes) {
        bool same = true;
        for (std::size_t i = 0; i < 4; ++i)
            same = same && std::fabs(kept[i] - plane[i]) <= Tolerance;
        if (same)
            return false;
    }
    m_planes.push_back(plane);
    return true;
}

bool ClipPlanes::isVisible(const std::array<float, 3> &point) const
{
    for (const Plane &plane : m_planes)
        if (plane[0] * point[0] + plane[1] * point[1] + plane[2] * point[2] + plane[3] >= Tolerance)
            return false;
    return true;
}

ClipPlanes ClipPlanes::ofDrawRange(const Automaton::CellRange &range, const std::array<float, 3> &cellSize)
{
    ClipPlanes planes;
    for (std::size_t axis = 0; axis < 3; ++axis) {
        double normal[3] = {0, 0, 0};
        normal[axis] = -1;
        planes.add(normal[0], normal[1], normal[2], double(range.lower[axis]) * cellSize[axis]);
        normal[axis] = 1;
        planes.add(normal[0], normal[1], normal[2], -double(range.upper[axis]) * cellSize[axis]);
    }
    return planes;
}

} // namespace Geometry
} // namespace Model
