#pragma once

#include <array>

namespace Ui {

// Turns mouse positions into view motions: rotation on a virtual sphere,
// panning, and lamp placement on a sphere of the widget's size.
class Trackball
{
public:
    enum Mode { LampMode = 0, PanMode = 1, SpareMode = 2, RotateMode = 3 };
    using Point = std::array<float, 3>;

    void setSize(float width, float height);
    void setZoom(float zoom) { m_zoom = zoom; }
    float sphereRadius() const { return m_radius; }
    Mode mode() const { return m_mode; }

    // A press at pixel (px, py) starts a drag in `mode`.
    void press(Mode mode, int px, int py);
    // Rotation step to pixel (px, py): the axis and the angle (degrees) of
    // the turn from the previous point. The view turns by twice the angle.
    void rotateTo(int px, int py, Point &axis, float &degrees);
    // Pan step: the screen-space delta since the previous point, / zoom.
    void panTo(int px, int py, float &dx, float &dy);
    // Lamp drag to pixel (px, py): azimuth θ and elevation φ (radians) of
    // the point on the lamp sphere.
    void lampAnglesAt(int px, int py, float &azimuth, float &elevation) const;

    // Pixel to trackball coordinates: origin at the centre, y up.
    Point screenPoint(int px, int py) const;

private:
    Point rotationPoint(int px, int py, float scale) const;

    Point m_pressPoint{};
    Point m_previous{};
    Point m_current{};
    float m_width = 1.0f;
    float m_height = 1.0f;
    float m_radius = 0.5f;
    float m_zoom = 1.0f;
    Mode m_mode = RotateMode;
};

} // namespace Ui
