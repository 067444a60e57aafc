#pragma once

#include "Model/Materials/Material.h"

#include <QDialog>

#include <set>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

namespace Ui {
namespace Operations {

// How a cell volume is shown, on three tabs: the parts of the atomistic
// view and the empty-cell outlines ("Si Visualization"), the colours of the
// materials ("Film Visualization"), and the surface algorithm ("Surface
// Generation"). Colours chosen here are only collected; whoever accepts
// the dialog stores them in the catalogue.
class ChangeVolumeVisualizationDialog : public QDialog
{
    Q_OBJECT

public:
    ChangeVolumeVisualizationDialog(QWidget *parent, bool atoms, bool surfaceAtomsOnly, bool links,
                                    bool unitCellOutlines, bool unitCells, bool emptyVoxelOutlines, int algorithm);

    // The materials whose colours can be changed, in list order.
    void setMaterials(const std::vector<Model::Materials::Material> &materials);

    bool renderAtoms() const;
    bool renderSurfaceAtomsOnly() const;
    bool renderAtomLinks() const;
    bool renderUnitCellOutlines() const;
    bool renderUnitCells() const;
    bool renderEmptyVoxelOutlines() const;
    int algorithm() const;
    // The materials given a new colour, as they now are.
    std::vector<Model::Materials::Material> changedMaterials() const;

public slots:
    // Asks for a new colour for the material chosen in the list.
    void changeColor();

private:
    void showSwatch(int row);

    QCheckBox *m_atoms;
    QCheckBox *m_surfaceAtomsOnly;
    QCheckBox *m_links;
    QCheckBox *m_unitCellOutlines;
    QCheckBox *m_unitCells;
    QCheckBox *m_emptyVoxelOutlines;
    QComboBox *m_algorithm;
    QListWidget *m_materialList;
    std::vector<Model::Materials::Material> m_materials;
    std::vector<QLabel *> m_swatches;
    std::set<unsigned> m_changed;
};

} // namespace Operations
} // namespace Ui
