#include "UI/View/ViewTransform.h"

#include <cmath>

namespace Ui {

ViewTransform::ViewTransform() : m_matrix(Matrix4().toFloats()) {}

void ViewTransform::setRotation(float x, float y, float z)
{
    Matrix4 m;
    m.translate(m_displacement[0], m_displacement[1], m_displacement[2]);
    m.rotate(x, 1, 0, 0);
    m.rotate(y, 0, 1, 0);
    m.rotate(z, 0, 0, 1);
    m_matrix = m.toFloats();
    m_angles = {x, y, z};
    updateWorldPan();
}

void ViewTransform::rotateBy(float degrees, const std::array<float, 3> &axis)
{
    Matrix4 m;
    m.rotate(degrees, axis[0], axis[1], axis[2]);
    m.rotate(m_angles[0], 1, 0, 0);
    m.rotate(m_angles[1], 0, 1, 0);
    m.rotate(m_angles[2], 0, 0, 1);
    m_matrix = m.toFloats();
    // X-Y-Z Euler angles of the new orientation.
    const float toDegrees = 180.0f / 3.1415927f;
    const float *v = m_matrix.data();
    m_angles = {-std::atan2(v[9], v[10]) * toDegrees,
                std::atan2(v[8], std::sqrt(v[9] * v[9] + v[10] * v[10])) * toDegrees,
                -std::atan2(v[4], v[0]) * toDegrees};
    updateWorldPan();
}

void ViewTransform::setScreenPan(float x, float y)
{
    m_screenPan = {x, y};
    updateWorldPan();
}

void ViewTransform::addScreenPan(float dx, float dy)
{
    setScreenPan(m_screenPan[0] + dx, m_screenPan[1] + dy);
}

void ViewTransform::setDisplacement(float x, float y, float z)
{
    m_displacement = {x, y, z};
}

void ViewTransform::addDisplacement(int axis, float delta)
{
    if (axis >= 0 && axis < 3)
        m_displacement[std::size_t(axis)] += delta;
}

void ViewTransform::displaceAlongScreen(float dx, float dy)
{
    const float *m = m_matrix.data();
    m_displacement[0] += m[0] * dx + m[1] * dy;
    m_displacement[1] += m[4] * dx + m[5] * dy;
    m_displacement[2] += m[8] * dx + m[9] * dy;
}

std::array<float, 16> ViewTransform::modelview() const
{
    Matrix4 m;
    m.rotate(m_angles[0], 1, 0, 0);
    m.rotate(m_angles[1], 0, 1, 0);
    m.rotate(m_angles[2], 0, 0, 1);
    m.translate(m_displacement[0], m_displacement[1], m_displacement[2]);
    m.translate(m_worldPan[0], m_worldPan[1], m_worldPan[2]);
    return m.toFloats();
}

void ViewTransform::updateWorldPan()
{
    const float *m = m_matrix.data();
    const float px = m_screenPan[0], py = m_screenPan[1];
    m_worldPan = {m[0] * px + m[1] * py, m[4] * px + m[5] * py, m[8] * px + m[9] * py};
}

} // namespace Ui
