#include "UI/View/Trackball.h"

#include <algorithm>
#include <cmath>

namespace Ui {

namespace {

Trackball::Point cross(const Trackball::Point &a, const Trackball::Point &b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

float length(const Trackball::Point &p)
{
    return std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
}

} // namespace

void Trackball::setSize(float width, float height)
{
    m_width = std::max(width, 1.0f);
    m_height = std::max(height, 1.0f);
    m_radius = std::min(m_width, m_height) / 2.0f;
}

Trackball::Point Trackball::screenPoint(int px, int py) const
{
    return {float(px) - m_width / 2.0f, m_height / 2.0f - float(py), 0.0f};
}

Trackball::Point Trackball::rotationPoint(int px, int py, float scale) const
{
    Point p = screenPoint(px, py);
    const float w = m_width, h = m_height;
    const float zz = (1.0f - scale * p[0] * p[0] / (w * w) - scale * p[1] * p[1] / (h * h)) * (w + h) * (w + h) / 4.0f;
    p[2] = zz > 0.0f ? std::sqrt(zz) : 0.0f;
    return p;
}

void Trackball::press(Mode mode, int px, int py)
{
    m_mode = mode;
    // The press maps to the sphere with 4x²/w², the moves with x²/w².
    m_current = mode == RotateMode ? rotationPoint(px, py, 4.0f) : screenPoint(px, py);
    m_previous = m_current;
    m_pressPoint = m_current;
}

void Trackball::rotateTo(int px, int py, Point &axis, float &degrees)
{
    m_previous = m_current;
    m_current = rotationPoint(px, py, 1.0f);
    const Point &p = m_previous;
    const Point &c = m_current;
    axis = cross(p, c);
    const float axisLength = length(axis);
    if (axisLength > 0.0f)
        axis = {axis[0] / axisLength, axis[1] / axisLength, axis[2] / axisLength};
    const float norms = length(c) * length(p);
    const float sine = norms > 0.0f ? std::min(1.0f, length(cross(c, p)) / norms) : 0.0f;
    degrees = std::asin(sine) * 180.0f / 3.1415927f;
}

void Trackball::panTo(int px, int py, float &dx, float &dy)
{
    m_previous = m_current;
    m_current = screenPoint(px, py);
    dx = (m_current[0] - m_previous[0]) / m_zoom;
    dy = (m_current[1] - m_previous[1]) / m_zoom;
}

void Trackball::lampAnglesAt(int px, int py, float &azimuth, float &elevation) const
{
    const Point p = screenPoint(px, py);
    const float zz = m_radius * m_radius - p[0] * p[0] - p[1] * p[1];
    const float z = zz > 0.0f ? std::sqrt(zz) : 0.0f;
    azimuth = std::atan2(p[1], p[0]);
    elevation = std::atan2(z, std::sqrt(p[0] * p[0] + p[1] * p[1]));
}

} // namespace Ui
