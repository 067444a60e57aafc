#pragma once

#include "Core/Operations/Photolithography/MaskFile.h"
#include "Model/Automaton/CellMask.h"
#include "Model/Materials/Material.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QGridLayout;
class QLineEdit;

namespace Ui {
class ProcessData;
}

namespace Ui {
namespace Operations {

// The options of a development: the resist film and the top and bottom
// masks. Each mask comes from an image file or a layout file ("*.gds") by
// Apply and goes by Remove; both hand the new mask on at once
// (maskChanged), so the view shows it while the dialog is open.
class PhotolithographyDialog : public QDialog
{
    Q_OBJECT

public:
    enum Side { Top = 0, Bottom = 1 };

    explicit PhotolithographyDialog(QWidget *parent = nullptr);

    void setMaterials(const std::vector<Model::Materials::Material> &materials);
    unsigned materialId() const;
    // The films a development may work on: the materials the process
    // catalogue lists for it, resists first.
    static std::vector<Model::Materials::Material> films();

    // OK without any mask develops every exposed cell of the film: asks
    // first (default No), except for a negative resist, which a missing
    // mask leaves whole.
    void accept() override;

    // The cells a layout file is rasterised for: its default scale fits the
    // layout's bounding box to them.
    void setVolumeExtent(unsigned sizeX, unsigned sizeY);

    const Model::Automaton::CellMask &mask(Side side) const { return m_masks[side].mask; }
    // Starts a side from a mask already in place (the one the volume shows).
    void setMask(Side side, const Model::Automaton::CellMask &mask, const QString &file = QString());
    // The file the mask came from; empty when there is no mask.
    QString maskFile(Side side) const { return m_masks[side].file; }
    // For a layout file, the top cell and layer it was drawn from
    // ("TOP, layer 1/0"); empty for an image.
    QString maskSource(Side side) const { return m_masks[side].source; }
    // Whether the side's mask was drawn from a layout file, and with which
    // choices of the layout dialog.
    bool fromLayout(Side side) const { return m_masks[side].fromLayout; }
    const Core::Operations::MaskSource &layoutChoice(Side side) const { return m_masks[side].layout; }

    QLineEdit *fileEdit(Side side) const { return m_masks[side].edit; }

    // Sets the parameters of a process list entry to the dialog's choices:
    // the resist, both masks' bits with their sizes, and the file each came
    // from by its whole path, with the layout dialog's choices for a layout,
    // shown or hidden as the process declares. The entry reads its masks
    // from those files when it runs; the bits let older versions run it.
    void fillEntry(ProcessData &entry) const;

    // The directory the mask file chooser opens in: the one of the last
    // mask file chosen or applied by any mask chooser of this program, the
    // home directory at first.
    static QString maskDirectory();

    // Applies the file named in the side's line edit; false, after the
    // warning, when it could not be read (the mask stays as it was).
    bool applyMask(Side side);
    void removeMask(Side side);
    void chooseMaskFile(Side side);

signals:
    void maskChanged(int side);

private:
    struct MaskChoice
    {
        QLineEdit *edit = nullptr;
        Model::Automaton::CellMask mask;
        QString file;
        QString source;
        bool fromLayout = false;
        Core::Operations::MaskSource layout;
    };

    void addMaskRow(QGridLayout *grid, int row, Side side, const QString &label);
    // Reads a layout file after asking for its cell, layer and scale; false
    // when it cannot be read or the user declined.
    bool readLayoutMask(const QString &file, MaskChoice &choice, bool *declined);
    void warnUnreadable(Side side);

    QComboBox *m_material;
    MaskChoice m_masks[2];
    unsigned m_sizeX = 0;
    unsigned m_sizeY = 0;
};

} // namespace Operations
} // namespace Ui
