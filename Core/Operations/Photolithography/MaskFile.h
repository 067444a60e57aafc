#pragma once

#include "Core/Operations/Photolithography/LayoutMask.h"
#include "Model/Automaton/CellMask.h"

#include <QString>

#include <string>

namespace Core {
namespace Operations {

// A mask named by its file rather than held as flags: a mask image, or a
// layout file with the cell, layer and placement to draw from it. It is
// read when the development runs, so that a changed file, or another one
// given for the same step, is what the resist sees.
struct MaskSource
{
    QString path;
    // Layout files only. An empty cell is the first top cell, an unchosen
    // layer the first one that cell draws on, an unplaced mask the cell's
    // shapes fitted to the volume: what the layout dialog starts from.
    std::string cell;
    bool layerChosen = false;
    LayoutMask::Layer layer{0, 0};
    bool placed = false;
    LayoutMask::Placement placement;
};

// Reads and draws the masks that MaskSource names.
class MaskFile
{
public:
    // The choice a refusal is about.
    enum Part { File, Cell, Layer };
    struct Refusal
    {
        Part part = File;
        QString reason;
    };

    // Whether `path` holds a layout rather than an image: by its first
    // record, or by its name ("*.gds") when it cannot be read.
    static bool isLayout(const QString &path);

    // Draws `source` over the columns of a sizeX x sizeY volume (a layout)
    // or at the image's size (an image). With a 0 x 0 volume, not known
    // yet, a layout is only read and its cell and layer looked up. False
    // with the part and the reason ("... has no cell BEAM (it has TOP)")
    // for a file that cannot be read, a cell or layer it does not have, or
    // a layer that covers no column's centre, which would develop all of
    // the resist as if there were no mask.
    static bool draw(const MaskSource &source, unsigned sizeX, unsigned sizeY, Model::Automaton::CellMask *mask,
                     Refusal *refusal);

    // "mask.gds, cell TOP, layer 3/0, units per cell 0.5, offset 10, -4";
    // an image is its path alone.
    static QString describe(const MaskSource &source);
};

} // namespace Operations
} // namespace Core
