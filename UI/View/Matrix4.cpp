#include "UI/View/Matrix4.h"

#include <cmath>

namespace Ui {

namespace {
const double Pi = 4.0 * std::atan2(1.0, 1.0);
}

Matrix4::Matrix4() : m_values{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}

void Matrix4::multiplyBy(const std::array<double, 16> &right)
{
    std::array<double, 16> result{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += m_values[std::size_t(k * 4 + row)] * right[std::size_t(column * 4 + k)];
            result[std::size_t(column * 4 + row)] = sum;
        }
    m_values = result;
}

void Matrix4::rotate(double degrees, double x, double y, double z)
{
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0.0)
        return;
    x /= length;
    y /= length;
    z /= length;
    const double a = degrees * Pi / 180.0;
    const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
    multiplyBy({t * x * x + c, t * x * y + s * z, t * x * z - s * y, 0,
                t * x * y - s * z, t * y * y + c, t * y * z + s * x, 0,
                t * x * z + s * y, t * y * z - s * x, t * z * z + c, 0,
                0, 0, 0, 1});
}

void Matrix4::translate(double x, double y, double z)
{
    multiplyBy({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
}

std::array<float, 16> Matrix4::toFloats() const
{
    std::array<float, 16> result;
    for (std::size_t i = 0; i < 16; ++i)
        result[i] = float(m_values[i]);
    return result;
}

} // namespace Ui
