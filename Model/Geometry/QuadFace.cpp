#include "Model/Geometry/QuadFace.h"

#include <cmath>

namespace Model {
namespace Geometry {

float QuadFace::area() const
{
    auto length = [](const Point &a, const Point &b) {
        const float dx = b[0] - a[0], dy = b[1] - a[1], dz = b[2] - a[2];
        return std::sqrt(dx * dx + dy * dy + dz * dz);
    };
    return length(corners[0], corners[1]) * length(corners[1], corners[2]);
}

} // namespace Geometry
} // namespace Model
