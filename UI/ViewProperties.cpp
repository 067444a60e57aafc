#include "UI/ViewProperties.h"

#include "UI/View/SceneView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace Ui {

namespace {

const double Pi = 4.0 * std::atan2(1.0, 1.0);

QDoubleSpinBox *spin(QWidget *parent, const char *name, double minimum, double maximum, double step)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(minimum, maximum);
    box->setSingleStep(step);
    return box;
}

QString lampName(unsigned number)
{
    return QStringLiteral("Lamp") + QString::number(number);
}

} // namespace

ViewProperties::ViewProperties(QWidget *parent, unsigned lampCount, unsigned activeLamp, unsigned tab)
    : QDialog(parent)
    , m_tabs(new QTabWidget(this))
    , m_lamps(std::clamp(lampCount, 1u, MaxLamps))
    , m_current(std::clamp(activeLamp, 1u, unsigned(m_lamps.size())))
{
    setObjectName(QStringLiteral("ViewPropertiesForm"));
    setWindowTitle(tr("Set vew and lighting"));
    m_tabs->addTab(buildViewTab(), tr("View"));
    m_tabs->addTab(buildLightingTab(), tr("Lighting"));
    m_tabs->setCurrentIndex(tab == 1 ? 1 : 0);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);

    for (unsigned lamp = 1; lamp <= m_lamps.size(); ++lamp)
        m_lampChoice->addItem(lampName(lamp));
    m_lampChoice->setCurrentIndex(int(m_current) - 1);
    connect(m_lampChoice, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ViewProperties::lampchanged);
    showCurrentLamp();
}

QWidget *ViewProperties::buildViewTab()
{
    auto *page = new QWidget(this);
    auto *axes = new QGroupBox(tr("Position in relation to the axes"), page);
    auto *axesForm = new QFormLayout(axes);
    const char *distanceNames[] = {"dblDistanceX", "dblDistanceY", "dblDistanceZ"};
    const QString distanceLabels[] = {tr("Distance X"), tr("Distance Y"), tr("Dstance Z")};
    for (int i = 0; i < 3; ++i) {
        m_distance[i] = spin(axes, distanceNames[i], -999.99, 999.99, 10);
        axesForm->addRow(distanceLabels[i], m_distance[i]);
    }
    auto *rotation = new QGroupBox(tr("Rotation Angles"), page);
    auto *rotationForm = new QFormLayout(rotation);
    const char *angleNames[] = {"dblAngleX", "dblAngleY", "dblAngleZ"};
    const QString angleLabels[] = {tr("X Axis"), tr("Y Axis"), tr("Z axis")};
    for (int i = 0; i < 3; ++i) {
        m_angle[i] = spin(rotation, angleNames[i], -180, 180, 5);
        rotationForm->addRow(angleLabels[i], m_angle[i]);
    }
    auto *screen = new QGroupBox(tr("Position in relation to the screen"), page);
    auto *screenForm = new QFormLayout(screen);
    m_position[0] = spin(screen, "dblPositionX", -999.99, 999.99, 10);
    m_position[1] = spin(screen, "dblPositionY", -999.99, 999.99, 10);
    screenForm->addRow(tr("Position X"), m_position[0]);
    screenForm->addRow(tr("Position Y"), m_position[1]);
    auto *zoom = new QGroupBox(tr("Vew zoom"), page);
    auto *zoomForm = new QFormLayout(zoom);
    // In percent; the view holds no zoom outside its bounds.
    m_zoom = spin(zoom, "dblZoom", double(SceneView::MinZoom) * 100.0, double(SceneView::MaxZoom) * 100.0, 10);
    m_zoom->setValue(100);
    zoomForm->addRow(tr("Zoom"), m_zoom);

    auto *layout = new QVBoxLayout(page);
    for (QWidget *group : {static_cast<QWidget *>(axes), static_cast<QWidget *>(rotation),
                           static_cast<QWidget *>(screen), static_cast<QWidget *>(zoom)})
        layout->addWidget(group);
    return page;
}

QWidget *ViewProperties::buildLightingTab()
{
    auto *page = new QWidget(this);
    m_lampChoice = new QComboBox(page);
    m_lampChoice->setObjectName(QStringLiteral("cbxLamps"));
    auto *group = new QGroupBox(tr("Relative position"), page);
    auto *form = new QFormLayout(group);
    m_radius = spin(group, "dblRadius", 0, 1000, 50);
    m_theta = spin(group, "dblTheta", -180, 180, 5);
    m_phi = spin(group, "dblPhi", -180, 180, 5);
    form->addRow(tr("Radius"), m_radius);
    form->addRow(tr("Angle θ"), m_theta);
    form->addRow(tr("Angle φ"), m_phi);
    m_visible = new QCheckBox(tr("Visible"), page);
    m_visible->setObjectName(QStringLiteral("chkVisible"));
    m_add = new QPushButton(tr("Add Lamp"), page);
    m_add->setObjectName(QStringLiteral("btnAddLamp"));
    m_delete = new QPushButton(tr("Delete"), page);
    m_delete->setObjectName(QStringLiteral("btnDeleteLamp"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_lampChoice);
    layout->addWidget(group);
    layout->addWidget(m_visible);
    layout->addLayout(buttons);

    connect(m_radius, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &ViewProperties::radiusChanged);
    connect(m_theta, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &ViewProperties::angletetaChanged);
    connect(m_phi, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &ViewProperties::anglefiChanged);
    connect(m_visible, &QCheckBox::toggled, this, &ViewProperties::visibleChanged);
    connect(m_add, &QPushButton::clicked, this, &ViewProperties::addLamp);
    connect(m_delete, &QPushButton::clicked, this, &ViewProperties::deleteLamp);
    return page;
}

void ViewProperties::setScreenPan(float x, float y)
{
    m_position[0]->setValue(x);
    m_position[1]->setValue(y);
}

void ViewProperties::setDisplacement(float x, float y, float z)
{
    m_distance[0]->setValue(x);
    m_distance[1]->setValue(y);
    m_distance[2]->setValue(z);
}

void ViewProperties::setRotation(float x, float y, float z)
{
    m_angle[0]->setValue(x);
    m_angle[1]->setValue(y);
    m_angle[2]->setValue(z);
}

void ViewProperties::setZoom(float percent)
{
    m_zoom->setValue(percent);
}

void ViewProperties::setLamp(unsigned lamp, float radius, float azimuth, float elevation, bool visible)
{
    if (lamp < 1 || lamp > m_lamps.size())
        return;
    m_lamps[lamp - 1] = Lamp{radius, azimuth, elevation, visible};
    if (lamp == m_current)
        showCurrentLamp();
}

float ViewProperties::screenPanX() const { return float(m_position[0]->value()); }
float ViewProperties::screenPanY() const { return float(m_position[1]->value()); }
float ViewProperties::displacementX() const { return float(m_distance[0]->value()); }
float ViewProperties::displacementY() const { return float(m_distance[1]->value()); }
float ViewProperties::displacementZ() const { return float(m_distance[2]->value()); }
float ViewProperties::rotationX() const { return float(m_angle[0]->value()); }
float ViewProperties::rotationY() const { return float(m_angle[1]->value()); }
float ViewProperties::rotationZ() const { return float(m_angle[2]->value()); }
float ViewProperties::zoom() const { return float(m_zoom->value()); }

ViewProperties::Lamp ViewProperties::lamp(unsigned lamp) const
{
    return lamp >= 1 && lamp <= m_lamps.size() ? m_lamps[lamp - 1] : Lamp();
}

void ViewProperties::lampchanged(int indexlamp)
{
    if (indexlamp < 0 || indexlamp >= int(m_lamps.size()))
        return;
    m_current = unsigned(indexlamp) + 1;
    showCurrentLamp();
}

void ViewProperties::addLamp()
{
    // The view has eight lights; a ninth lamp has none to shine with.
    if (m_lamps.size() >= MaxLamps)
        return;
    m_lamps.push_back(Lamp{0.0f, 0.0f, 0.0f, true});
    m_lampChoice->addItem(lampName(unsigned(m_lamps.size())));
    m_lampChoice->setCurrentIndex(int(m_lamps.size()) - 1);
}

void ViewProperties::deleteLamp()
{
    if (m_lamps.size() <= 1)
        return;
    m_lamps.erase(m_lamps.begin() + (m_current - 1));
    m_current = std::min<unsigned>(m_current, unsigned(m_lamps.size()));
    m_lampChoice->removeItem(m_lampChoice->count() - 1);
    m_lampChoice->setCurrentIndex(int(m_current) - 1);
    showCurrentLamp();
}

ViewProperties::Lamp *ViewProperties::currentEntry()
{
    return m_showing || m_current < 1 || m_current > m_lamps.size() ? nullptr : &m_lamps[m_current - 1];
}

void ViewProperties::radiusChanged(double value)
{
    if (Lamp *entry = currentEntry())
        entry->radius = float(value);
}

void ViewProperties::angletetaChanged(double value)
{
    if (Lamp *entry = currentEntry())
        entry->azimuth = float(value * Pi / 180.0);
}

void ViewProperties::anglefiChanged(double value)
{
    if (Lamp *entry = currentEntry())
        entry->elevation = float(value * Pi / 180.0);
}

void ViewProperties::visibleChanged(bool visible)
{
    if (Lamp *entry = currentEntry())
        entry->visible = visible;
}

void ViewProperties::showCurrentLamp()
{
    const Lamp shown = lamp(m_current);
    // Showing a lamp must not write the rounded field values back into it.
    m_showing = true;
    m_radius->setValue(shown.radius);
    m_theta->setValue(shown.azimuth * 180.0 / Pi);
    m_phi->setValue(shown.elevation * 180.0 / Pi);
    m_visible->setChecked(shown.visible);
    m_showing = false;
    m_add->setEnabled(m_lamps.size() < MaxLamps);
    m_delete->setEnabled(m_lamps.size() > 1);
}

} // namespace Ui
