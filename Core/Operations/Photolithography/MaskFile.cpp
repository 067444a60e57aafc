#include "Core/Operations/Photolithography/MaskFile.h"

#include "Core/Operations/Photolithography/LayoutFile.h"
#include "Core/Operations/Photolithography/MaskImage.h"
#include "Util/DecimalText.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QStringList>

#include <algorithm>

namespace Core {
namespace Operations {

namespace {

// The first record of every layout, its header: six bytes long, type 0.
const char LayoutStart[] = {0x00, 0x06, 0x00};

// How many names a refusal lists before it stops.
constexpr int NamesShown = 8;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString cellName(const std::string &name)
{
    return QString::fromLatin1(name.c_str());
}

QString layerName(const LayoutMask::Layer &layer)
{
    return QStringLiteral("%1/%2").arg(layer.first).arg(layer.second);
}

// "A, B, C" or "A, B, ... (12 in all)".
QString someOf(const QStringList &names)
{
    if (names.size() <= NamesShown)
        return names.join(QStringLiteral(", "));
    return names.mid(0, NamesShown).join(QStringLiteral(", "))
        + QStringLiteral(", ... (%1 in all)").arg(names.size());
}

bool refuse(MaskFile::Refusal *refusal, MaskFile::Part part, const QString &reason)
{
    refusal->part = part;
    refusal->reason = reason;
    return false;
}

bool drawImage(const MaskSource &source, Model::Automaton::CellMask *mask, MaskFile::Refusal *refusal)
{
    QImageReader reader(source.path);
    const QImage image = reader.read();
    if (image.isNull())
        return refuse(refusal, MaskFile::File,
                      QStringLiteral("%1 cannot be read as a mask image or a layout file: %2")
                          .arg(shown(source.path), reader.errorString()));
    *mask = maskFromImage(image);
    return true;
}

bool drawLayout(const MaskSource &source, unsigned sizeX, unsigned sizeY, Model::Automaton::CellMask *mask,
                MaskFile::Refusal *refusal)
{
    LayoutFile layout;
    QString problem;
    if (!layout.readFile(source.path, &problem))
        return refuse(refusal, MaskFile::File,
                      QStringLiteral("%1 cannot be read as a layout file: %2").arg(shown(source.path), problem));
    if (layout.cells().empty())
        return refuse(refusal, MaskFile::File, QStringLiteral("the layout %1 holds no cell").arg(shown(source.path)));

    std::string cell = source.cell;
    if (cell.empty()) {
        cell = layout.topCells().empty() ? layout.cells().begin()->first : layout.topCells().front();
    } else if (!layout.cells().count(cell)) {
        QStringList names;
        for (const std::string &top : layout.topCells())
            names.append(cellName(top));
        for (const auto &entry : layout.cells())
            if (!names.contains(cellName(entry.first)))
                names.append(cellName(entry.first));
        return refuse(refusal, MaskFile::Cell,
                      QStringLiteral("the layout %1 has no cell %2 (it has %3)")
                          .arg(shown(source.path), cellName(cell), someOf(names)));
    }

    const std::set<LayoutMask::Layer> layers = LayoutMask::layers(layout, cell);
    QStringList drawn;
    for (const LayoutMask::Layer &layer : layers)
        drawn.append(layerName(layer));
    if (layers.empty())
        return refuse(refusal, MaskFile::Layer,
                      QStringLiteral("cell %1 of %2 draws on no layer").arg(cellName(cell), shown(source.path)));
    const LayoutMask::Layer layer = source.layerChosen ? source.layer : *layers.begin();
    if (!layers.count(layer))
        return refuse(refusal, MaskFile::Layer,
                      QStringLiteral("cell %1 of %2 draws nothing on layer %3 (it draws on %4)")
                          .arg(cellName(cell), shown(source.path), layerName(layer), someOf(drawn)));

    std::vector<LayoutMask::Polygon> polygons;
    if (!LayoutMask::polygons(layout, cell, layer, polygons, &problem))
        return refuse(refusal, MaskFile::File,
                      QStringLiteral("cell %1 of %2 cannot be drawn: %3").arg(cellName(cell), shown(source.path), problem));
    // The volume is not known yet: the file, the cell and the layer are
    // all that can be checked.
    if (sizeX == 0 || sizeY == 0)
        return true;

    LayoutMask::Placement placement = source.placement;
    if (!source.placed) {
        std::vector<LayoutMask::Polygon> all;
        if (!LayoutMask::allPolygons(layout, cell, all, &problem))
            return refuse(refusal, MaskFile::File,
                          QStringLiteral("cell %1 of %2 cannot be drawn: %3")
                              .arg(cellName(cell), shown(source.path), problem));
        placement = LayoutMask::fitting(all, sizeX, sizeY);
    }
    *mask = LayoutMask::rasterise(polygons, sizeX, sizeY, placement);
    if (std::find(mask->bits.begin(), mask->bits.end(), true) == mask->bits.end())
        return refuse(refusal, MaskFile::Layer,
                      QStringLiteral("layer %1 of cell %2 in %3 covers no cell centre of the %4 x %5 columns "
                                     "(units per cell %6, offset %7, %8)")
                          .arg(layerName(layer), cellName(cell), shown(source.path))
                          .arg(sizeX)
                          .arg(sizeY)
                          .arg(Util::generalNumber(placement.unitsPerCell), Util::generalNumber(placement.offsetX),
                               Util::generalNumber(placement.offsetY)));
    return true;
}

} // namespace

bool MaskFile::isLayout(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return file.read(sizeof LayoutStart) == QByteArray(LayoutStart, sizeof LayoutStart);
    return path.endsWith(QLatin1String(".gds"), Qt::CaseInsensitive);
}

bool MaskFile::draw(const MaskSource &source, unsigned sizeX, unsigned sizeY, Model::Automaton::CellMask *mask,
                    Refusal *refusal)
{
    *mask = Model::Automaton::CellMask();
    QFile file(source.path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(refusal, File, QStringLiteral("%1 cannot be read: %2").arg(shown(source.path), file.errorString()));
    file.close();
    return isLayout(source.path) ? drawLayout(source, sizeX, sizeY, mask, refusal) : drawImage(source, mask, refusal);
}

QString MaskFile::describe(const MaskSource &source)
{
    if (!isLayout(source.path))
        return shown(source.path);
    QString text = shown(source.path);
    text += source.cell.empty() ? QStringLiteral(", its first top cell") : QStringLiteral(", cell ") + cellName(source.cell);
    text += source.layerChosen ? QStringLiteral(", layer ") + layerName(source.layer)
                               : QStringLiteral(", the first layer it draws on");
    if (source.placed)
        text += QStringLiteral(", units per cell %1, offset %2, %3")
                    .arg(Util::generalNumber(source.placement.unitsPerCell), Util::generalNumber(source.placement.offsetX),
                         Util::generalNumber(source.placement.offsetY));
    else
        text += QStringLiteral(", fitted to the volume");
    return text;
}

} // namespace Operations
} // namespace Core
