#include "UI/Operations/CreateSubstrateDialog.h"

#include "UI/MaterialComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace Ui {
namespace Operations {

CreateSubstrateDialog::CreateSubstrateDialog(QWidget *parent)
    : QDialog(parent)
    , m_material(new QComboBox(this))
    , m_totalWidth(spinBox("sbxTotalWidth", 1, 10000, 100))
    , m_totalLength(spinBox("sbxTotalLength", 1, 10000, 100))
    , m_totalHeight(spinBox("sbxTotalHeight", 1, 10000, 80))
    , m_substrateWidth(spinBox("sbxSubsWidth", 1, 100, 100))
    , m_substrateLength(spinBox("sbxSubsLength", 1, 100, 100))
    , m_substrateHeight(spinBox("sbxSubsHeight", 1, 80, 30))
    , m_displacementX(spinBox("sbxSubsX", 0, 0, 0))
    , m_displacementY(spinBox("sbxSubsY", 0, 0, 0))
    , m_displacementZ(spinBox("sbxSubsZ", 0, 50, 0))
    , m_spherical(new QCheckBox(this))
    , m_radius(spinBox("sbxSubsRadius", 1, 999999999, 50))
    , m_centreX(spinBox("sbxSubsCenterX", 0, 99, 0))
    , m_centreY(spinBox("sbxSubsCenterY", 0, 99, 0))
    , m_centreZ(spinBox("sbxSubsCenterZ", 0, 79, 0))
    , m_positionX(positionBox("dblVolumeX"))
    , m_positionY(positionBox("dblVolumeY"))
    , m_positionZ(positionBox("dblVolumeZ"))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("CreateSubstrateDialogForm"));
    m_material->setObjectName(QStringLiteral("cbxFilm"));
    m_spherical->setObjectName(QStringLiteral("cbxSubsSphere"));
    m_buttons->setObjectName(QStringLiteral("buttonBox"));

    buildLayout();
    setTexts();
    setTabOrder();

    // Limits as the volume's initial size implies.
    m_substrateWidth->setMaximum(m_totalWidth->value());
    m_substrateWidth->setValue(m_totalWidth->value());
    m_displacementX->setMaximum(0);
    m_centreX->setMaximum(m_totalWidth->value() - 1);
    m_substrateLength->setMaximum(m_totalLength->value());
    m_substrateLength->setValue(m_totalLength->value());
    m_displacementY->setMaximum(0);
    m_centreY->setMaximum(m_totalLength->value() - 1);
    m_substrateHeight->setMaximum(m_totalHeight->value());
    m_displacementZ->setMaximum(m_totalHeight->value() - m_substrateHeight->value());
    m_centreZ->setMaximum(m_totalHeight->value() - 1);
    toggleSubsShape(false);

    // The limits follow a size once it is confirmed (Enter, leaving the
    // field, closing the dialog, the arrows), not on every key: typing "40"
    // passes through 4, which would clamp the fields it limits for good.
    for (QSpinBox *box : {m_totalWidth, m_totalLength, m_totalHeight, m_substrateWidth, m_substrateLength,
                          m_substrateHeight})
        box->setKeyboardTracking(false);

    connect(m_totalWidth, QOverload<int>::of(&QSpinBox::valueChanged), this, &CreateSubstrateDialog::updateLimitX);
    connect(m_totalLength, QOverload<int>::of(&QSpinBox::valueChanged), this, &CreateSubstrateDialog::updateLimitY);
    connect(m_totalHeight, QOverload<int>::of(&QSpinBox::valueChanged), this, &CreateSubstrateDialog::updateLimitZ);
    connect(m_substrateWidth, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &CreateSubstrateDialog::updateSubstrateDispX);
    connect(m_substrateLength, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &CreateSubstrateDialog::updateSubstrateDispY);
    connect(m_substrateHeight, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &CreateSubstrateDialog::updateSubstrateDispZ);
    connect(m_spherical, &QCheckBox::toggled, this, &CreateSubstrateDialog::toggleSubsShape);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QSpinBox *CreateSubstrateDialog::spinBox(const char *name, int minimum, int maximum, int value)
{
    auto *box = new QSpinBox(this);
    box->setObjectName(QLatin1String(name));
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

QDoubleSpinBox *CreateSubstrateDialog::positionBox(const char *name)
{
    auto *box = new QDoubleSpinBox(this);
    box->setObjectName(QLatin1String(name));
    box->setRange(-1e9, 1e9);
    box->setValue(0.0);
    return box;
}

QLabel *CreateSubstrateDialog::label(const QString &text)
{
    return new QLabel(text, this);
}

void CreateSubstrateDialog::buildLayout()
{
    auto *total = new QGroupBox(tr("Total Volume Dimensions and Position"), this);
    auto *totalGrid = new QGridLayout(total);
    totalGrid->addWidget(label(tr("Width")), 0, 0);
    totalGrid->addWidget(m_totalWidth, 0, 1);
    totalGrid->addWidget(label(tr("Length")), 1, 0);
    totalGrid->addWidget(m_totalLength, 1, 1);
    totalGrid->addWidget(label(tr("Height")), 2, 0);
    totalGrid->addWidget(m_totalHeight, 2, 1);
    totalGrid->addWidget(label(tr("Volume Lower Left Front Corner")), 0, 2, 1, 2);
    totalGrid->addWidget(label(tr("X")), 1, 2);
    totalGrid->addWidget(m_positionX, 1, 3);
    totalGrid->addWidget(label(tr("Y")), 2, 2);
    totalGrid->addWidget(m_positionY, 2, 3);
    totalGrid->addWidget(label(tr("Z")), 3, 2);
    totalGrid->addWidget(m_positionZ, 3, 3);

    auto *substrate = new QGroupBox(tr("Substrate Dimensions and position"), this);
    auto *grid = new QGridLayout(substrate);
    const QString boxTexts[] = {tr("Size"), tr("Width"), tr("Length"), tr("Height"), tr("Lower Left Front Corner"),
                                tr("X"), tr("Y"), tr("Z")};
    for (const QString &text : boxTexts)
        m_boxLabels.push_back(label(text));
    grid->addWidget(m_boxLabels[0], 0, 0, 1, 2);
    grid->addWidget(m_boxLabels[1], 1, 0);
    grid->addWidget(m_substrateWidth, 1, 1);
    grid->addWidget(m_boxLabels[2], 2, 0);
    grid->addWidget(m_substrateLength, 2, 1);
    grid->addWidget(m_boxLabels[3], 3, 0);
    grid->addWidget(m_substrateHeight, 3, 1);
    grid->addWidget(m_boxLabels[4], 0, 2, 1, 2);
    grid->addWidget(m_boxLabels[5], 1, 2);
    grid->addWidget(m_displacementX, 1, 3);
    grid->addWidget(m_boxLabels[6], 2, 2);
    grid->addWidget(m_displacementY, 2, 3);
    grid->addWidget(m_boxLabels[7], 3, 2);
    grid->addWidget(m_displacementZ, 3, 3);

    grid->addWidget(m_spherical, 4, 0, 1, 4);
    const QString sphereTexts[] = {tr("Radius"), tr("Center X"), tr("Center Y"), tr("Center Z")};
    for (const QString &text : sphereTexts)
        m_sphereLabels.push_back(label(text));
    grid->addWidget(m_sphereLabels[0], 5, 0);
    grid->addWidget(m_radius, 5, 1);
    grid->addWidget(m_sphereLabels[1], 6, 0);
    grid->addWidget(m_centreX, 6, 1);
    grid->addWidget(m_sphereLabels[2], 7, 0);
    grid->addWidget(m_centreY, 7, 1);
    grid->addWidget(m_sphereLabels[3], 8, 0);
    grid->addWidget(m_centreZ, 8, 1);

    auto *materialRow = new QHBoxLayout;
    m_materialLabel = label(tr("Substrate Material"));
    materialRow->addWidget(m_materialLabel);
    materialRow->addWidget(m_material, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(materialRow);
    layout->addWidget(total);
    layout->addWidget(substrate);
    layout->addWidget(m_buttons);
}

void CreateSubstrateDialog::setTexts()
{
    setWindowTitle(tr("Create Substrate"));

    const QString totalTip = tr("Define the size of the total volume.");
    const QString totalHelp = tr("The simulation is run on a volume of cells. This is the total size of the volume. "
                                 "Substrate and aditional deposited films must fit inside this volume.");
    for (QSpinBox *box : {m_totalWidth, m_totalLength, m_totalHeight}) {
        box->setToolTip(totalTip);
        box->setWhatsThis(totalHelp);
    }
    for (QSpinBox *box : {m_substrateWidth, m_substrateLength, m_substrateHeight})
        box->setToolTip(tr("Size of the substrate in cells."));
    const QString displacementHelp =
        tr("This allows you to displace the substrate inside the final volume. This might be desirable to, for "
           "example, etch the substrate from both sides. This can be done by increasing the Z displacement.");
    for (QSpinBox *box : {m_displacementX, m_displacementY, m_displacementZ}) {
        box->setToolTip(tr("Location of the substrate relative to the total volume in cells."));
        box->setWhatsThis(displacementHelp);
    }

    m_spherical->setText(tr("Spherical Substrate"));
    m_spherical->setToolTip(tr("Create a spherical substrate."));
    m_radius->setToolTip(tr("Define the radius of the substrate."));
    m_sphereLabels[0]->setToolTip(m_radius->toolTip());
    const QString centreTip = tr("Define the center position of the substrate relative to the total volume in cells.");
    for (QSpinBox *box : {m_centreX, m_centreY, m_centreZ})
        box->setToolTip(centreTip);
    for (int i = 1; i < 4; ++i)
        m_sphereLabels[std::size_t(i)]->setToolTip(centreTip);

    const QString positionHelp =
        tr("This allows you to change where the volume will be placed. This is to avoid creating superimposed "
           "volumes. The coordinates indicate where the lower left front corner of the volume will be located.");
    for (QDoubleSpinBox *box : {m_positionX, m_positionY, m_positionZ}) {
        box->setToolTip(tr("Define the position of the volume in the viewing space."));
        box->setWhatsThis(positionHelp);
    }

    const QString materialTip = tr("Material the substrate will be composed of.");
    m_material->setToolTip(materialTip);
    m_materialLabel->setToolTip(materialTip);
}

void CreateSubstrateDialog::setTabOrder()
{
    QWidget *const order[] = {m_material,      m_substrateWidth, m_substrateLength, m_substrateHeight,
                              m_displacementX, m_displacementY,  m_displacementZ,   m_spherical,
                              m_radius,        m_centreX,        m_centreY,         m_centreZ,
                              // The box itself takes no focus; its first button does.
                              m_buttons->buttons().value(0)};
    for (std::size_t i = 1; i < sizeof order / sizeof *order; ++i)
        if (order[i])
            QWidget::setTabOrder(order[i - 1], order[i]);
}

void CreateSubstrateDialog::setMaterials(const std::vector<Model::Materials::Material> &materials)
{
    MaterialComboBox::fill(m_material, materials);
}

void CreateSubstrateDialog::updateLimitX(int newValue)
{
    m_substrateWidth->setMaximum(newValue);
    m_substrateWidth->setValue(newValue);
    m_displacementX->setMaximum(0);
    m_centreX->setMaximum(newValue - 1);
}

void CreateSubstrateDialog::updateLimitY(int newValue)
{
    m_substrateLength->setMaximum(newValue);
    m_substrateLength->setValue(newValue);
    m_displacementY->setMaximum(0);
    m_centreY->setMaximum(newValue - 1);
}

void CreateSubstrateDialog::updateLimitZ(int newValue)
{
    m_substrateHeight->setMaximum(newValue);
    m_displacementZ->setMaximum(std::max(0, newValue - m_substrateHeight->value()));
    m_centreZ->setMaximum(newValue - 1);
}

void CreateSubstrateDialog::updateSubstrateDispX(int newValue)
{
    m_displacementX->setMaximum(std::max(0, m_totalWidth->value() - newValue));
}

void CreateSubstrateDialog::updateSubstrateDispY(int newValue)
{
    m_displacementY->setMaximum(std::max(0, m_totalLength->value() - newValue));
}

void CreateSubstrateDialog::updateSubstrateDispZ(int newValue)
{
    m_displacementZ->setMaximum(std::max(0, m_totalHeight->value() - newValue));
}

void CreateSubstrateDialog::toggleSubsShape(bool checked)
{
    for (QSpinBox *box : {m_substrateWidth, m_substrateLength, m_substrateHeight, m_displacementX, m_displacementY,
                          m_displacementZ})
        box->setEnabled(!checked);
    for (QLabel *text : m_boxLabels)
        text->setEnabled(!checked);
    for (QSpinBox *box : {m_radius, m_centreX, m_centreY, m_centreZ})
        box->setEnabled(checked);
    for (QLabel *text : m_sphereLabels)
        text->setEnabled(checked);
}

int CreateSubstrateDialog::totalWidth() const { return m_totalWidth->value(); }
int CreateSubstrateDialog::totalLength() const { return m_totalLength->value(); }
int CreateSubstrateDialog::totalHeight() const { return m_totalHeight->value(); }
int CreateSubstrateDialog::substrateWidth() const { return m_substrateWidth->value(); }
int CreateSubstrateDialog::substrateLength() const { return m_substrateLength->value(); }
int CreateSubstrateDialog::substrateHeight() const { return m_substrateHeight->value(); }
int CreateSubstrateDialog::displacementX() const { return m_displacementX->value(); }
int CreateSubstrateDialog::displacementY() const { return m_displacementY->value(); }
int CreateSubstrateDialog::displacementZ() const { return m_displacementZ->value(); }
bool CreateSubstrateDialog::isSpherical() const { return m_spherical->isChecked(); }
int CreateSubstrateDialog::radius() const { return m_radius->value(); }
int CreateSubstrateDialog::centreX() const { return m_centreX->value(); }
int CreateSubstrateDialog::centreY() const { return m_centreY->value(); }
int CreateSubstrateDialog::centreZ() const { return m_centreZ->value(); }

Util::Vector3D CreateSubstrateDialog::position() const
{
    return Util::Vector3D(m_positionX->value(), m_positionY->value(), m_positionZ->value());
}

unsigned CreateSubstrateDialog::materialId() const
{
    return MaterialComboBox::selectedMaterialId(m_material);
}

Core::Operations::SubstrateShape CreateSubstrateDialog::shape() const
{
    Core::Operations::SubstrateShape shape;
    shape.material = materialId();
    shape.sizeX = unsigned(totalWidth());
    shape.sizeY = unsigned(totalLength());
    shape.sizeZ = unsigned(totalHeight());
    shape.position = position();
    shape.spherical = isSpherical();
    if (shape.spherical) {
        shape.centreX = unsigned(centreX());
        shape.centreY = unsigned(centreY());
        shape.centreZ = unsigned(centreZ());
        shape.radius = unsigned(radius());
    } else {
        shape.boxX = unsigned(displacementX());
        shape.boxY = unsigned(displacementY());
        shape.boxZ = unsigned(displacementZ());
        shape.boxSizeX = unsigned(substrateWidth());
        shape.boxSizeY = unsigned(substrateLength());
        shape.boxSizeZ = unsigned(substrateHeight());
    }
    return shape;
}

} // namespace Operations
} // namespace Ui
