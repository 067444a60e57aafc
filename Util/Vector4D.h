#pragma once

namespace Util {

class Vector3D;

// Four doubles (x, y, z, w): positions, displacements and RGBA colours in 0..1.
class Vector4D
{
public:
    Vector4D() = default;
    explicit Vector4D(double all) : x(all), y(all), z(all), w(all) {}
    Vector4D(double x_, double y_, double z_, double w_) : x(x_), y(y_), z(z_), w(w_) {}
    Vector4D(const Vector3D &v);

    // 0 -> x, 1 -> y, 2 -> z, any other index -> w.
    double &operator[](int index);
    double operator[](int index) const;

    Vector4D &operator+=(const Vector4D &other);
    Vector4D &operator*=(double factor);

    bool operator==(const Vector4D &other) const;
    bool operator!=(const Vector4D &other) const { return !(*this == other); }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 0.0;
};

} // namespace Util
