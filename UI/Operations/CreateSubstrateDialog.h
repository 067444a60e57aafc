#pragma once

#include "Core/Operations/Substrate/SubstrateShape.h"
#include "Model/Materials/Material.h"
#include "Util/Vector3D.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace Ui {
namespace Operations {

// Options of a new substrate: the volume's size and position, and a box or
// a ball of material inside it. The limits keep the substrate inside the
// volume, so no invalid combination can be entered.
class CreateSubstrateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CreateSubstrateDialog(QWidget *parent = nullptr);

    void setMaterials(const std::vector<Model::Materials::Material> &materials);

    int totalWidth() const;
    int totalLength() const;
    int totalHeight() const;
    int substrateWidth() const;
    int substrateLength() const;
    int substrateHeight() const;
    int displacementX() const;
    int displacementY() const;
    int displacementZ() const;
    bool isSpherical() const;
    int radius() const;
    int centreX() const;
    int centreY() const;
    int centreZ() const;
    Util::Vector3D position() const;
    unsigned materialId() const;
    // The chosen volume with its box or ball; the fields of the other shape
    // keep their defaults.
    Core::Operations::SubstrateShape shape() const;

public slots:
    void updateLimitX(int newValue);
    void updateLimitY(int newValue);
    void updateLimitZ(int newValue);
    void updateSubstrateDispX(int newValue);
    void updateSubstrateDispY(int newValue);
    void updateSubstrateDispZ(int newValue);
    void toggleSubsShape(bool checked);

private:
    QSpinBox *spinBox(const char *name, int minimum, int maximum, int value);
    QDoubleSpinBox *positionBox(const char *name);
    QLabel *label(const QString &text);
    void buildLayout();
    void setTexts();
    void setTabOrder();

    QComboBox *m_material;
    QLabel *m_materialLabel = nullptr;
    QSpinBox *m_totalWidth;
    QSpinBox *m_totalLength;
    QSpinBox *m_totalHeight;
    QSpinBox *m_substrateWidth;
    QSpinBox *m_substrateLength;
    QSpinBox *m_substrateHeight;
    QSpinBox *m_displacementX;
    QSpinBox *m_displacementY;
    QSpinBox *m_displacementZ;
    QCheckBox *m_spherical;
    QSpinBox *m_radius;
    QSpinBox *m_centreX;
    QSpinBox *m_centreY;
    QSpinBox *m_centreZ;
    QDoubleSpinBox *m_positionX;
    QDoubleSpinBox *m_positionY;
    QDoubleSpinBox *m_positionZ;
    QDialogButtonBox *m_buttons;
    // Labels that follow the enabled state of the box or the sphere fields.
    std::vector<QLabel *> m_boxLabels;
    std::vector<QLabel *> m_sphereLabels;
};

} // namespace Operations
} // namespace Ui
