#include "Util/Vector3D.h"
#include "Util/Vector4D.h"

namespace Util {

Vector4D::Vector4D(const Vector3D &v) : FourComponents(v.x, v.y, v.z, v.w) {}

Vector3D::Vector3D(const Vector4D &v) : FourComponents(v.x, v.y, v.z, v.w) {}

} // namespace Util
