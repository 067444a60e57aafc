#pragma once

#include "Util/FourComponents.h"

#include <QMetaType>

namespace Util {

class Vector4D;

// The same four doubles as Vector4D, used where only x, y and z matter.
class Vector3D : public FourComponents<Vector3D>
{
public:
    using FourComponents::FourComponents;
    Vector3D() = default;
    Vector3D(double x_, double y_, double z_) : FourComponents(x_, y_, z_, 0.0) {}
    // Copies all four components.
    Vector3D(const Vector4D &v);
};

} // namespace Util

// Process lists keep positions in their parameters.
Q_DECLARE_METATYPE(Util::Vector3D)
