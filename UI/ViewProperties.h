#pragma once

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QTabWidget;

namespace Ui {

// "Set vew and lighting": the camera and the lamps as numbers, on two tabs.
// The main window fills it from the view and writes it back on OK.
class ViewProperties : public QDialog
{
    Q_OBJECT

public:
    struct Lamp
    {
        float radius = 0.0f;
        float azimuth = 0.0f;   // θ, radians
        float elevation = 0.0f; // φ, radians
        bool visible = true;
    };

    static constexpr unsigned MaxLamps = 8;

    ViewProperties(QWidget *parent, unsigned lampCount, unsigned activeLamp, unsigned tab);

    void setScreenPan(float x, float y);
    void setDisplacement(float x, float y, float z);
    void setRotation(float x, float y, float z);
    void setZoom(float percent);
    void setLamp(unsigned lamp, float radius, float azimuth, float elevation, bool visible);

    float screenPanX() const;
    float screenPanY() const;
    float displacementX() const;
    float displacementY() const;
    float displacementZ() const;
    float rotationX() const;
    float rotationY() const;
    float rotationZ() const;
    float zoom() const;
    unsigned lampCount() const { return unsigned(m_lamps.size()); }
    unsigned currentLamp() const { return m_current; }
    Lamp lamp(unsigned lamp) const;

public slots:
    void lampchanged(int indexlamp);
    void addLamp();
    void deleteLamp();
    void radiusChanged(double value);
    void angletetaChanged(double value);
    void anglefiChanged(double value);
    void visibleChanged(bool visible);

private:
    QWidget *buildViewTab();
    QWidget *buildLightingTab();
    void showCurrentLamp();
    Lamp *currentEntry();

    QTabWidget *m_tabs;
    QDoubleSpinBox *m_distance[3];
    QDoubleSpinBox *m_angle[3];
    QDoubleSpinBox *m_position[2];
    QDoubleSpinBox *m_zoom;
    QComboBox *m_lampChoice;
    QDoubleSpinBox *m_radius;
    QDoubleSpinBox *m_theta;
    QDoubleSpinBox *m_phi;
    QCheckBox *m_visible;
    QPushButton *m_add;
    QPushButton *m_delete;
    std::vector<Lamp> m_lamps;
    unsigned m_current;
    bool m_showing = false;
};

} // namespace Ui
