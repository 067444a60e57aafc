#include "Util/Vector3D.h"
#include "Util/Vector4D.h"

namespace Util {

namespace {

template<typename V>
double &component(V &v, int index)
{
    switch (index) {
    case 0: return v.x;
    case 1: return v.y;
    case 2: return v.z;
    default: return v.w;
    }
}

template<typename V>
double component(const V &v, int index)
{
    switch (index) {
    case 0: return v.x;
    case 1: return v.y;
    case 2: return v.z;
    default: return v.w;
    }
}

} // namespace

Vector4D::Vector4D(const Vector3D &v) : x(v.x), y(v.y), z(v.z), w(v.w) {}

double &Vector4D::operator[](int index) { return component(*this, index); }
double Vector4D::operator[](int index) const { return component(*this, index); }

Vector4D &Vector4D::operator+=(const Vector4D &o)
{
    x += o.x; y += o.y; z += o.z; w += o.w;
    return *this;
}

Vector4D &Vector4D::operator*=(double f)
{
    x *= f; y *= f; z *= f; w *= f;
    return *this;
}

bool Vector4D::operator==(const Vector4D &o) const
{
    return x == o.x && y == o.y && z == o.z && w == o.w;
}

Vector3D::Vector3D(const Vector4D &v) : x(v.x), y(v.y), z(v.z), w(v.w) {}

double &Vector3D::operator[](int index) { return component(*this, index); }
double Vector3D::operator[](int index) const { return component(*this, index); }

Vector3D &Vector3D::operator+=(const Vector3D &o)
{
    x += o.x; y += o.y; z += o.z; w += o.w;
    return *this;
}

Vector3D &Vector3D::operator*=(double f)
{
    x *= f; y *= f; z *= f; w *= f;
    return *this;
}

bool Vector3D::operator==(const Vector3D &o) const
{
    return x == o.x && y == o.y && z == o.z && w == o.w;
}

} // namespace Util
