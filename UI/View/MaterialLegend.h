#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

namespace Model {
namespace Materials {
class MaterialFactory;
}
}

namespace Ui {

// The legend of the view: one row per material of the shown cell volumes,
// a swatch of its colour and its name, on a small panel that the renderer
// lays over the top left corner of the picture.
class MaterialLegend
{
public:
    struct Entry
    {
        unsigned id = 0;
        QString name;
        QColor colour;

        bool operator==(const Entry &other) const
        {
            return id == other.id && name == other.name && colour == other.colour;
        }
        bool operator!=(const Entry &other) const { return !(*this == other); }
    };

    // Pixels from the picture's top left corner to the panel.
    static constexpr int Margin = 10;

    // The rows of the materials `ids` (ascending, as the view gathers them
    // from its last surface builds, so that a frame never walks the cells),
    // named and coloured by the catalogue.
    static std::vector<Entry> entriesOf(const std::vector<std::uint32_t> &ids,
                                        const Model::Materials::MaterialFactory &catalogue);

    // The panel: swatches and names over `background`, in a text colour
    // that stands out from it. Null without entries.
    static QImage picture(const std::vector<Entry> &entries, const QColor &background);
    // Where the swatch of row `row` lies within the panel.
    static QRect swatch(int row);
};

} // namespace Ui
