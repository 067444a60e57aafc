#include "UI/View/LampSet.h"

#include <algorithm>
#include <cmath>

namespace Ui {

const float LampSet::Pi = float(4.0 * std::atan2(1.0, 1.0));

LampSet::LampSet()
{
    m_position.fill({0.0f, 0.0f, 0.0f, 1.0f});
    m_radius[0] = 300.0f;
    m_elevation[0] = Pi / 4.0f;
    m_azimuth[0] = Pi / 3.0f;
    m_visible.set(0);
    place(1);
}

void LampSet::setCount(unsigned count)
{
    m_count = std::clamp(count, 1u, MaxLamps);
    // A removed lamp can no longer be the active one.
    if (m_active > m_count)
        m_active = m_count;
}

void LampSet::switchActiveLamp()
{
    m_active = m_active == m_count ? 0 : m_active + 1;
}

bool LampSet::setAngles(unsigned lamp, float azimuth, float elevation)
{
    if (!valid(lamp))
        return false;
    m_azimuth[lamp - 1] = azimuth;
    m_elevation[lamp - 1] = elevation;
    place(lamp);
    return true;
}

bool LampSet::setRadius(unsigned lamp, float radius)
{
    if (!valid(lamp))
        return false;
    m_radius[lamp - 1] = radius;
    place(lamp);
    return true;
}

bool LampSet::setVisible(unsigned lamp, bool visible)
{
    if (!valid(lamp))
        return false;
    m_visible.set(lamp - 1, visible);
    return true;
}

float LampSet::radius(unsigned lamp) const { return lamp >= 1 && lamp <= MaxLamps ? m_radius[lamp - 1] : 0.0f; }
float LampSet::azimuth(unsigned lamp) const { return lamp >= 1 && lamp <= MaxLamps ? m_azimuth[lamp - 1] : 0.0f; }
float LampSet::elevation(unsigned lamp) const
{
    return lamp >= 1 && lamp <= MaxLamps ? m_elevation[lamp - 1] : 0.0f;
}
bool LampSet::isVisible(unsigned lamp) const { return lamp >= 1 && lamp <= MaxLamps && m_visible.test(lamp - 1); }

std::array<float, 4> LampSet::position(unsigned lamp) const
{
    return lamp >= 1 && lamp <= MaxLamps ? m_position[lamp - 1] : std::array<float, 4>{0, 0, 0, 1};
}

bool LampSet::wheel(float c)
{
    if (!valid(m_active))
        return false;
    float &r = m_radius[m_active - 1];
    if (r >= 1.0f)
        r = c > 0.0f ? r * (1.0f + c) : r / (1.0f - c);
    else if (r >= 0.0f)
        r = c > 0.0f ? 2.0f : 0.0f;
    place(m_active);
    return true;
}

void LampSet::place(unsigned lamp)
{
    const std::size_t i = lamp - 1;
    const float theta = m_azimuth[i], phi = m_elevation[i], r = m_radius[i];
    m_position[i] = {std::cos(theta) * std::cos(phi) * r, std::sin(theta) * std::cos(phi) * r, std::sin(phi) * r,
                     1.0f};
}

} // namespace Ui
