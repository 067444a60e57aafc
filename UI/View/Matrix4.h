#pragma once

#include <array>

namespace Ui {

// A 4 x 4 matrix in OpenGL's column-major layout (element (row, column) at
// index column * 4 + row), with the products glRotate and glTranslate
// apply, so the view can compute its transforms without a GL context.
class Matrix4
{
public:
    Matrix4(); // identity

    // this := this * R(angle about axis), as glRotatef does.
    void rotate(double degrees, double x, double y, double z);
    // this := this * T(x, y, z), as glTranslatef does.
    void translate(double x, double y, double z);

    float operator[](int index) const { return float(m_values[std::size_t(index)]); }
    std::array<float, 16> toFloats() const;

private:
    void multiplyBy(const std::array<double, 16> &right);

    std::array<double, 16> m_values;
};

} // namespace Ui
