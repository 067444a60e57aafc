#pragma once

#include "Core/Operations/ProcessKind.h"
#include "Model/Automaton/CellMask.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace Core {
namespace Operations {

// The options of a development: the photoresist and the two masks (an
// empty mask covers nothing).
struct PhotolithographyParameters
{
    std::uint32_t resist = 0;
    Model::Automaton::CellMask topMask;
    Model::Automaton::CellMask bottomMask;
};

// The parameters in which a process list entry keeps the mask of one side:
// "Top Mask" (the flags) with its width and height and what it was drawn
// from ("Top Mask File", and for a layout "Top Mask Layout", shown only),
// and the layout choices: "Top Mask Cell", "Top Mask Layer", "Top Mask
// Datatype", "Top Mask Units per Cell", "Top Mask Offset X" and "Top Mask
// Offset Y".
struct MaskParameters
{
    enum Side { Top, Bottom };
    static const MaskParameters &of(Side side);

    QString bits, file, layout, height, width, cell, layer, datatype, unitsPerCell, offsetX, offsetY;

    // The flags with their size and the description of their source.
    QStringList drawn() const { return {bits, width, height, layout}; }
    QStringList choices() const { return {cell, layer, datatype, unitsPerCell, offsetX, offsetY}; }

private:
    explicit MaskParameters(const QString &side);
};

// The descriptor of photolithography (type "Photolithography" in process
// lists). An entry's mask on each side is drawn from the file it names,
// read when the entry runs (a relative name in the list's folder): a mask
// image, or the cell and layer of a layout file drawn for the volume's
// columns. An entry naming no file develops through the flags it holds.
const ProcessKind<PhotolithographyParameters> &photolithographyDescriptor();

} // namespace Operations
} // namespace Core
