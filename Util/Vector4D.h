#pragma once

#include "Util/FourComponents.h"

namespace Util {

class Vector3D;

// Four doubles (x, y, z, w), zero by default: positions, displacements and
// RGBA colours with components in 0..1.
class Vector4D : public FourComponents<Vector4D>
{
public:
    using FourComponents::FourComponents;
    Vector4D() = default;
    // Copies all four components.
    Vector4D(const Vector3D &v);
};

} // namespace Util
