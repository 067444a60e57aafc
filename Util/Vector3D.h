#pragma once

namespace Util {

class Vector4D;

// The same four doubles as Vector4D, used where only x, y and z matter.
// Conversions between the two copy all four components.
class Vector3D
{
public:
    Vector3D() = default;
    explicit Vector3D(double all) : x(all), y(all), z(all), w(all) {}
    Vector3D(double x_, double y_, double z_, double w_ = 0.0) : x(x_), y(y_), z(z_), w(w_) {}
    Vector3D(const Vector4D &v);

    // 0 -> x, 1 -> y, 2 -> z, any other index -> w.
    double &operator[](int index);
    double operator[](int index) const;

    Vector3D &operator+=(const Vector3D &other);
    Vector3D &operator*=(double factor);

    bool operator==(const Vector3D &other) const;
    bool operator!=(const Vector3D &other) const { return !(*this == other); }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 0.0;
};

} // namespace Util
