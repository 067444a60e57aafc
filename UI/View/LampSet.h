#pragma once

#include <array>
#include <bitset>

namespace Ui {

// Up to eight positional lamps around the viewer, numbered from 1, placed by
// radius, azimuth θ and elevation φ (radians). One lamp at a time is active
// and follows the mouse; number 0 means none is.
class LampSet
{
public:
    static constexpr unsigned MaxLamps = 8;
    static const float Pi;

    LampSet();

    unsigned count() const { return m_count; }
    // Clamped to 1..8; an active lamp beyond the count becomes the last one.
    void setCount(unsigned count);
    unsigned activeLamp() const { return m_active; }
    // 1, 2, ..., count, 0, 1, ...
    void switchActiveLamp();

    // Lamp numbers outside 1..count change nothing and report false.
    bool setAngles(unsigned lamp, float azimuth, float elevation);
    bool setRadius(unsigned lamp, float radius);
    bool setVisible(unsigned lamp, bool visible);

    float radius(unsigned lamp) const;
    float azimuth(unsigned lamp) const;
    float elevation(unsigned lamp) const;
    bool isVisible(unsigned lamp) const;
    // (x, y, z, 1) from the angles and the radius.
    std::array<float, 4> position(unsigned lamp) const;

    // A wheel step with Shift: scales the active lamp's radius by the step
    // `c` (wheel angle / 1200); radii below 1 jump to 2 or 0. False without
    // an active lamp.
    bool wheel(float c);

private:
    bool valid(unsigned lamp) const { return lamp >= 1 && lamp <= m_count && lamp <= MaxLamps; }
    void place(unsigned lamp);

    unsigned m_count = 1;
    std::array<float, MaxLamps> m_radius{};
    std::array<float, MaxLamps> m_elevation{};
    std::array<float, MaxLamps> m_azimuth{};
    std::array<std::array<float, 4>, MaxLamps> m_position;
    std::bitset<MaxLamps> m_visible;
    unsigned m_active = 1;
};

} // namespace Ui
