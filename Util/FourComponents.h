#pragma once

namespace Util {

// The four doubles (x, y, z, w) that Vector3D and Vector4D share, with the
// component access and arithmetic both offer. `Derived` keeps the two
// vector types apart while they share one implementation.
template<typename Derived>
class FourComponents
{
public:
    FourComponents() = default;
    explicit FourComponents(double all) : x(all), y(all), z(all), w(all) {}
    FourComponents(double x_, double y_, double z_, double w_) : x(x_), y(y_), z(z_), w(w_) {}

    // 0 -> x, 1 -> y, 2 -> z, any other index -> w.
    double &operator[](int index)
    {
        switch (index) {
        case 0: return x;
        case 1: return y;
        case 2: return z;
        default: return w;
        }
    }
    double operator[](int index) const { return const_cast<FourComponents &>(*this)[index]; }

    Derived &operator+=(const Derived &o)
    {
        x += o.x; y += o.y; z += o.z; w += o.w;
        return static_cast<Derived &>(*this);
    }
    Derived &operator*=(double f)
    {
        x *= f; y *= f; z *= f; w *= f;
        return static_cast<Derived &>(*this);
    }

    friend bool operator==(const Derived &a, const Derived &b)
    {
        return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
    }
    friend bool operator!=(const Derived &a, const Derived &b) { return !(a == b); }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 0.0;
};

} // namespace Util
