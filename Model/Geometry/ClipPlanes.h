#pragma once

#include "Model/Automaton/CellRange.h"

#include <array>
#include <vector>

namespace Model {
namespace Geometry {

// The planes the atomistic view is cut by: a point is shown when it lies
// on the inner side of every plane (a·x + b·y + c·z + d below 1e-6), so
// with no planes everything shows. Planes are kept scaled to unit length
// over all four coefficients; a plane without a direction, or one already
// in the list, is not added.
class ClipPlanes
{
public:
    using Plane = std::array<double, 4>;

    // False when the plane was refused.
    bool add(double a, double b, double c, double d);
    bool isVisible(const std::array<float, 3> &point) const;
    const std::vector<Plane> &planes() const { return m_planes; }

    // The six planes of the cells of `range`, in world units from the
    // volume's corner: the cut limits are cell indices, so they are scaled
    // by the cell sizes to meet atoms of a volume of any cell size.
    static ClipPlanes ofDrawRange(const Automaton::CellRange &range, const std::array<float, 3> &cellSize);

private:
    std::vector<Plane> m_planes;
};

} // namespace Geometry
} // namespace Model
