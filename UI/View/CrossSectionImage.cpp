#include "UI/View/CrossSectionImage.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Persistence/SaveFileCommit.h"
#include "UI/View/MaterialLegend.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <map>

namespace Ui {

constexpr int CrossSectionImage::TargetSide;
constexpr int CrossSectionImage::LargestBlock;

namespace {

constexpr int Margin = 10;
constexpr int FontPixels = 12;
const char AxisNames[] = "xyz";

QFont captionFont()
{
    QFont font;
    font.setPixelSize(FontPixels);
    return font;
}

std::array<unsigned, 3> sizesOf(const Model::Automaton::TotalVolume &volume)
{
    return {volume.sizeX(), volume.sizeY(), volume.sizeZ()};
}

int horizontalAxis(int axis)
{
    return axis == 0 ? 1 : 0;
}

int verticalAxis(int axis)
{
    return axis == 2 ? 1 : 2;
}

int lineHeight()
{
    return QFontMetrics(captionFont()).height() + 4;
}

} // namespace

QPoint CrossSectionImage::sectionOrigin()
{
    return QPoint(Margin, Margin + lineHeight());
}

QSize CrossSectionImage::blockSize(const Model::Automaton::TotalVolume &volume, int axis)
{
    const std::size_t h = std::size_t(horizontalAxis(axis)), v = std::size_t(verticalAxis(axis));
    const std::array<unsigned, 3> size = sizesOf(volume);
    const std::array<float, 3> cell = {volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()};
    const double width = size[h] * double(cell[h]), height = size[v] * double(cell[v]);
    // Pixels per world unit: the section about TargetSide across, no
    // block above LargestBlock, none below one pixel.
    const double scale = std::min(TargetSide / std::max(width, height), LargestBlock / double(std::max(cell[h], cell[v])));
    return QSize(std::max(1, int(std::lround(scale * cell[h]))), std::max(1, int(std::lround(scale * cell[v]))));
}

double CrossSectionImage::roundLength(double most)
{
    if (!(most > 0))
        return 0;
    const double power = std::pow(10.0, std::floor(std::log10(most)));
    for (const double step : {5.0, 2.0, 1.0})
        if (step * power <= most * (1 + 1e-9))
            return step * power;
    return power;
}

QString CrossSectionImage::rangeProblem(const Model::Automaton::TotalVolume &volume, int axis, int index)
{
    if (axis < 0 || axis > 2)
        return QStringLiteral("there is no axis %1").arg(axis);
    const unsigned size = sizesOf(volume)[std::size_t(axis)];
    if (index >= 0 && unsigned(index) < size)
        return QString();
    return QStringLiteral("%1=%2: beyond the %3 cells along %1 (0 to %4)")
        .arg(QLatin1Char(AxisNames[axis]))
        .arg(index)
        .arg(size)
        .arg(int(size) - 1);
}

QImage CrossSectionImage::picture(Model::Automaton::TotalVolume &volume, int axis, int index,
                                  const Model::Materials::MaterialFactory &catalogue, const Model::LengthUnit &unit)
{
    if (!rangeProblem(volume, axis, index).isEmpty())
        return QImage();
    const int h = horizontalAxis(axis), v = verticalAxis(axis);
    const std::array<unsigned, 3> size = sizesOf(volume);
    const std::array<float, 3> cell = {volume.cellsizeX(), volume.cellsizeY(), volume.cellsizeZ()};
    const int across = int(size[std::size_t(h)]), up = int(size[std::size_t(v)]);
    const double width = across * double(cell[std::size_t(h)]);
    const QSize block = blockSize(volume, axis);
    const int blockWidth = block.width(), blockHeight = block.height();

    // The plane's materials, read once under the lock.
    std::vector<std::uint32_t> plane(std::size_t(across) * std::size_t(up));
    std::map<std::uint32_t, QColor> colours;
    {
        Model::Automaton::LockedCells cells(volume);
        unsigned at[3];
        at[axis] = unsigned(index);
        for (int i = 0; i < across; ++i)
            for (int j = 0; j < up; ++j) {
                at[h] = unsigned(i);
                at[v] = unsigned(j);
                const std::uint32_t material = cells[volume.cellIndex(at[0], at[1], at[2])].material;
                plane[std::size_t(i) * std::size_t(up) + std::size_t(j)] = material;
                if (material != 0)
                    colours.emplace(material, QColor());
            }
    }
    std::vector<std::uint32_t> ids;
    for (const auto &entry : colours)
        ids.push_back(entry.first);
    const std::vector<MaterialLegend::Entry> legend = MaterialLegend::entriesOf(ids, catalogue);
    for (const MaterialLegend::Entry &entry : legend)
        colours[entry.id] = entry.colour;
    const QImage legendPanel = MaterialLegend::picture(legend, Qt::white);

    const QFont font = captionFont();
    const QFontMetrics metrics(font);
    const int line = lineHeight();
    const QString title = QStringLiteral("Section %1=%2: %3 to the right, %4 up")
                              .arg(QLatin1Char(AxisNames[axis]))
                              .arg(index)
                              .arg(QLatin1Char(AxisNames[h]))
                              .arg(QLatin1Char(AxisNames[v]));
    const int sectionWidth = across * blockWidth, sectionHeight = up * blockHeight;
    const QPoint origin = sectionOrigin();
    const int imageWidth = std::max(Margin + sectionWidth + Margin + legendPanel.width() + Margin,
                                    Margin + metrics.horizontalAdvance(title) + Margin);
    const int imageHeight = origin.y() + std::max(sectionHeight + 2 * line + 8, legendPanel.height()) + Margin;

    QImage image(imageWidth, imageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(Margin, Margin, imageWidth - 2 * Margin, line), Qt::AlignLeft | Qt::AlignTop, title);
    for (int i = 0; i < across; ++i)
        for (int j = 0; j < up; ++j) {
            const std::uint32_t material = plane[std::size_t(i) * std::size_t(up) + std::size_t(j)];
            if (material == 0)
                continue;
            painter.fillRect(origin.x() + i * blockWidth, origin.y() + (up - 1 - j) * blockHeight, blockWidth,
                             blockHeight, colours[material]);
        }
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(QRect(origin, QSize(sectionWidth, sectionHeight)).adjusted(-1, -1, 0, 0));
    if (!legendPanel.isNull())
        painter.drawImage(origin.x() + sectionWidth + Margin, origin.y(), legendPanel);

    // The scale bar: a length round in metres near a quarter of the
    // section's width.
    const double pixelsPerUnit = blockWidth / double(cell[std::size_t(h)]);
    const double length = roundLength(width * unit.metres() / 4) / unit.metres();
    const int bar = int(std::lround(length * pixelsPerUnit));
    const int y = origin.y() + sectionHeight + 8 + line / 2;
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(origin.x(), y, origin.x() + bar, y);
    painter.drawLine(origin.x(), y - 4, origin.x(), y + 4);
    painter.drawLine(origin.x() + bar, y - 4, origin.x() + bar, y + 4);
    painter.drawText(QRect(origin.x() + bar + 8, y - line / 2, imageWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                     unit.format(length));
    painter.end();
    return image;
}

bool CrossSectionImage::save(Model::Automaton::TotalVolume &volume, int axis, int index,
                             const Model::Materials::MaterialFactory &catalogue, const Model::LengthUnit &unit,
                             const QString &fileName, QString *problem)
{
    auto fail = [&](const QString &why) {
        if (problem)
            *problem = QStringLiteral("%1: %2").arg(fileName, why);
        return false;
    };
    const QString outOfRange = rangeProblem(volume, axis, index);
    if (!outOfRange.isEmpty())
        return fail(outOfRange);
    const QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format))
        return fail(QStringLiteral("not an image format the program writes (try .png)"));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    QImageWriter writer(&file, format);
    if (!writer.write(picture(volume, axis, index, catalogue, unit))) {
        const QString why = writer.errorString();
        file.cancelWriting();
        file.commit();
        return fail(why);
    }
    if (!Model::Persistence::commitCompletely(file))
        return fail(file.errorString());
    return true;
}

} // namespace Ui
