#pragma once

#include "Model/LengthUnit.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

namespace Model {
namespace Automaton {
class TotalVolume;
}
namespace Materials {
class MaterialFactory;
}
}

namespace Ui {

// The picture of one plane of cells, the way a cleaved wafer is looked at
// under a microscope: one block of pixels per cell in its material's
// colour (white where a cell is empty), a title naming the plane and its
// axes, a legend of the materials the plane holds and a scale bar of a
// round length in the document's unit ("20 µm"). Drawn with QPainter alone,
// so a server without a display (on Qt's offscreen platform) draws it too.
class CrossSectionImage
{
public:
    // Blocks are sized so the section is about this many pixels across.
    static constexpr int TargetSide = 800;
    static constexpr int LargestBlock = 32;

    // The cells of plane `index` across `axis` (0, 1, 2: x, y, z); the
    // plane lies within the volume. Across x the section shows y to the
    // right and z up, across y x and z, across z x and y.
    static QImage picture(Model::Automaton::TotalVolume &volume, int axis, int index,
                          const Model::Materials::MaterialFactory &catalogue,
                          const Model::LengthUnit &unit = Model::LengthUnit());

    // Where the section's top left corner lies in the picture, and the
    // pixels of one cell of a section across `axis`.
    static QPoint sectionOrigin();
    static QSize blockSize(const Model::Automaton::TotalVolume &volume, int axis);

    // "x=40: beyond the 30 cells along x (0 to 29)" when the plane is not
    // within the volume; empty when it is.
    static QString rangeProblem(const Model::Automaton::TotalVolume &volume, int axis, int index);

    // Writes the picture in the image format of the file's extension; an
    // earlier file is replaced only by a complete new one. False with the
    // reason otherwise.
    static bool save(Model::Automaton::TotalVolume &volume, int axis, int index,
                     const Model::Materials::MaterialFactory &catalogue, const Model::LengthUnit &unit,
                     const QString &fileName, QString *problem);

    // The lengths a scale bar shows: 1, 2 or 5 times a power of ten, the
    // largest not above `most`.
    static double roundLength(double most);
};

} // namespace Ui
