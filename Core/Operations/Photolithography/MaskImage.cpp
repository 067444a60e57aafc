#include "Core/Operations/Photolithography/MaskImage.h"

#include <QImage>

namespace Core {
namespace Operations {

Model::Automaton::CellMask maskFromImage(const QImage &image)
{
    Model::Automaton::CellMask mask;
    if (image.isNull())
        return mask;
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    const int w = pixels.width(), h = pixels.height();
    mask.width = w;
    mask.height = h;
    mask.bits.assign(std::size_t(w) * std::size_t(h), false);
    for (int j = 0; j < h; ++j) {
        const QRgb *row = reinterpret_cast<const QRgb *>(pixels.constScanLine(j));
        for (int i = 0; i < w; ++i) {
            const QRgb pixel = row[i];
            const bool opaque = qAlpha(pixel) != 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0
                && (qRed(pixel) == 0 || qRed(pixel) == 255);
            // Column runs, the image's bottom row first.
            if (opaque)
                mask.bits[std::size_t(i) * std::size_t(h) + std::size_t(h - 1 - j)] = true;
        }
    }
    return mask;
}

} // namespace Operations
} // namespace Core
