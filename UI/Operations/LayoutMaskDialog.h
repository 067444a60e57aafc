#pragma once

#include "Core/Operations/Photolithography/LayoutMask.h"

#include <QDialog>

#include <string>

class QComboBox;
class QDoubleSpinBox;

namespace Ui {
namespace Operations {

// Asks how to draw a mask from a layout file: the cell (its top cell by
// default), the layer and datatype, the layout units per cell edge and the
// layout point at the volume's corner. The scale and offset start so that
// the cell's bounding box fits the volume; choosing another cell fits again.
class LayoutMaskDialog : public QDialog
{
    Q_OBJECT

public:
    // `layout` must outlive the dialog.
    LayoutMaskDialog(const Core::Operations::LayoutFile &layout, unsigned sizeX, unsigned sizeY,
                     QWidget *parent = nullptr);

    std::string cell() const;
    // The layer and datatype chosen.
    Core::Operations::LayoutMask::Layer layer() const;
    Core::Operations::LayoutMask::Placement placement() const;

    QComboBox *cellChoice() const { return m_cell; }
    QComboBox *layerChoice() const { return m_layer; }

private:
    void cellChosen();

    const Core::Operations::LayoutFile &m_layout;
    const unsigned m_sizeX;
    const unsigned m_sizeY;
    QComboBox *m_cell;
    QComboBox *m_layer;
    QDoubleSpinBox *m_units;
    QDoubleSpinBox *m_offsetX;
    QDoubleSpinBox *m_offsetY;
};

} // namespace Operations
} // namespace Ui
