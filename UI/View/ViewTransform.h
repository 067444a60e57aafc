#pragma once

#include "UI/View/Matrix4.h"

#include <array>

namespace Ui {

// The camera of the view: rotation angles about X, Y and Z (degrees), the
// model displacement (world units), and a pan in screen units that is
// carried into world coordinates so that it always moves the picture along
// the screen axes.
class ViewTransform
{
public:
    ViewTransform();

    // Standard views, the initial view and the view dialog set the angles.
    void setRotation(float x, float y, float z);
    // A trackball step: turn the current orientation by `degrees` about
    // `axis` (in screen space) and re-read the angles from the result.
    void rotateBy(float degrees, const std::array<float, 3> &axis);

    void setScreenPan(float x, float y);
    void addScreenPan(float dx, float dy);
    void setDisplacement(float x, float y, float z);
    void addDisplacement(int axis, float delta);
    // Moves the model along the screen axes (Shift + right drag).
    void displaceAlongScreen(float dx, float dy);

    const std::array<float, 3> &angles() const { return m_angles; }
    const std::array<float, 3> &displacement() const { return m_displacement; }
    const std::array<float, 2> &screenPan() const { return m_screenPan; }
    const std::array<float, 3> &worldPan() const { return m_worldPan; }
    // The rotation as OpenGL holds it after setting or turning the view.
    const std::array<float, 16> &rotationMatrix() const { return m_matrix; }
    // What the view loads as modelview: rotate X, Y, Z, then translate by
    // the displacement and by the world pan.
    std::array<float, 16> modelview() const;

private:
    void updateWorldPan();

    std::array<float, 2> m_screenPan{};
    std::array<float, 3> m_worldPan{};
    std::array<float, 16> m_matrix;
    std::array<float, 3> m_angles{};
    std::array<float, 3> m_displacement{};
};

} // namespace Ui
