#include "Model/Geometry/GeodesicSphere.h"

#include <cmath>

namespace Model {
namespace Geometry {

namespace {

using Point = std::array<float, 3>;

Point onSphere(double x, double y, double z)
{
    const double length = std::sqrt(x * x + y * y + z * z);
    return {float(x / length), float(y / length), float(z / length)};
}

std::vector<Point> build()
{
    const double t = (1.0 + std::sqrt(5.0)) / 2.0;
    const double corners[12][3] = {{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0}, {0, -1, t}, {0, 1, t},
                                   {0, -1, -t}, {0, 1, -t}, {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
    const int faces[20][3] = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11}, {1, 5, 9},  {5, 11, 4},
                              {11, 10, 2}, {10, 7, 6}, {7, 1, 8},  {3, 9, 4},  {3, 4, 2},   {3, 2, 6},  {3, 6, 8},
                              {3, 8, 9},  {4, 9, 5},  {2, 4, 11}, {6, 2, 10}, {8, 6, 7},   {9, 8, 1}};
    constexpr int Splits = 4; // 4 x 4 = 16 triangles per face
    std::vector<Point> triangles;
    triangles.reserve(20 * Splits * Splits * 3);
    for (const auto &face : faces) {
        const double *a = corners[face[0]], *b = corners[face[1]], *c = corners[face[2]];
        auto at = [&](int i, int j) {
            const double u = double(i) / Splits, v = double(j) / Splits;
            return onSphere(a[0] + (b[0] - a[0]) * u + (c[0] - a[0]) * v, a[1] + (b[1] - a[1]) * u + (c[1] - a[1]) * v,
                            a[2] + (b[2] - a[2]) * u + (c[2] - a[2]) * v);
        };
        for (int i = 0; i < Splits; ++i) {
            for (int j = 0; i + j < Splits; ++j) {
                triangles.insert(triangles.end(), {at(i, j), at(i + 1, j), at(i, j + 1)});
                if (i + j + 1 < Splits)
                    triangles.insert(triangles.end(), {at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)});
            }
        }
    }
    return triangles;
}

} // namespace

const std::vector<std::array<float, 3>> &GeodesicSphere::triangles()
{
    static const std::vector<Point> sphere = build();
    return sphere;
}

} // namespace Geometry
} // namespace Model
