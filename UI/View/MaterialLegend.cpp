#include "UI/View/MaterialLegend.h"

#include "Model/Export/ExportMaterial.h"
#include "Model/Materials/MaterialFactory.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace Ui {

constexpr int MaterialLegend::Margin;

namespace {

constexpr int Padding = 6;
constexpr int SwatchSide = 14;
constexpr int Gap = 6;
constexpr int FontPixels = 12;

QFont legendFont()
{
    QFont font;
    font.setPixelSize(FontPixels);
    return font;
}

int rowHeight()
{
    return std::max(SwatchSide, QFontMetrics(legendFont()).height()) + 2;
}

QColor colourOf(const Model::Materials::Colour &c)
{
    return QColor::fromRgbF(qreal(c.red), qreal(c.green), qreal(c.blue));
}

} // namespace

std::vector<MaterialLegend::Entry> MaterialLegend::entriesOf(const std::vector<std::uint32_t> &ids,
                                                             const Model::Materials::MaterialFactory &catalogue)
{
    // Named and coloured as exported files have them, unknown ids too.
    std::vector<Entry> entries;
    entries.reserve(ids.size());
    for (const Model::Export::ExportMaterial &material : Model::Export::ExportMaterial::of(ids, catalogue)) {
        Entry entry;
        entry.id = material.id;
        entry.name = material.name;
        entry.colour = colourOf(material.colour);
        entries.push_back(entry);
    }
    return entries;
}

QRect MaterialLegend::swatch(int row)
{
    const int height = rowHeight();
    return QRect(Padding, Padding + row * height + (height - SwatchSide) / 2, SwatchSide, SwatchSide);
}

QImage MaterialLegend::picture(const std::vector<Entry> &entries, const QColor &background)
{
    if (entries.empty())
        return QImage();
    const QFont font = legendFont();
    const QFontMetrics metrics(font);
    int nameWidth = 0;
    for (const Entry &entry : entries)
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(entry.name));
    const int height = rowHeight();
    QImage image(Padding + SwatchSide + Gap + nameWidth + Padding, 2 * Padding + int(entries.size()) * height,
                 QImage::Format_RGBA8888);
    const QColor panel(background.red(), background.green(), background.blue());
    image.fill(panel);

    const QColor text = panel.lightnessF() < 0.5 ? QColor(Qt::white) : QColor(Qt::black);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    for (std::size_t row = 0; row < entries.size(); ++row) {
        const QRect box = swatch(int(row));
        painter.fillRect(box, entries[row].colour);
        // An outline keeps a swatch of the panel's own colour visible.
        painter.setPen(text);
        painter.drawRect(box.adjusted(-1, -1, 0, 0));
        const QRect label(box.right() + 1 + Gap, Padding + int(row) * height, nameWidth, height);
        painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, entries[row].name);
    }
    painter.end();
    return image;
}

} // namespace Ui
