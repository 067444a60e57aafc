// The legend's rows come from the view's last surface builds of the shown
// volumes and the catalogue; its panel shows each colour in its swatch.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/View/MaterialLegend.h"
#include "UI/View/VolumeRenderStates.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

using Model::Materials::Colour;
using Model::Materials::Material;
using Ui::MaterialLegend;

namespace {

class MaterialLegendTest : public ::testing::Test
{
protected:
    MaterialLegendTest() : catalogue(boost::make_shared<Model::Materials::MaterialFactory>(temp.path()))
    {
        catalogue->setMaterial(Material(1, "Si", 1, 1, 1, Colour{0.5f, 0.5f, 0.5f, 1.0f}));
        catalogue->setMaterial(Material(5, "Cu (bulk)", 1, 1, 1, Colour{1.0f, 0.8f, 0.3f, 1.0f}));
        catalogue->setMaterial(Material(12, "Photoresist -", 1, 1, 1, Colour{1.0f, 0.3f, 1.0f, 0.4f}));
    }

    boost::shared_ptr<Model::Automaton::TotalVolume> volume(const std::vector<std::uint32_t> &cells)
    {
        return boost::make_shared<Model::Automaton::TotalVolume>(unsigned(cells.size()), 1, 1, 1.0f, 1.0f, 1.0f,
                                                                 Util::Vector3D(), cells);
    }

    // The legend of a frame that draws `volumes`.
    std::vector<MaterialLegend::Entry>
    entriesOf(const std::vector<boost::shared_ptr<Model::Automaton::TotalVolume>> &volumes)
    {
        Ui::VolumeRenderStates states;
        states.setMaterialCatalogue(catalogue);
        states.beginFrame();
        for (const auto &v : volumes)
            states.show(*v);
        states.endFrame();
        return MaterialLegend::entriesOf(states.shownMaterials(), *catalogue);
    }

    TestSupport::TempFolder temp;
    boost::shared_ptr<Model::Materials::MaterialFactory> catalogue;
};

std::vector<unsigned> ids(const std::vector<MaterialLegend::Entry> &entries)
{
    std::vector<unsigned> result;
    for (const auto &entry : entries)
        result.push_back(entry.id);
    return result;
}

} // namespace

TEST_F(MaterialLegendTest, RowsAreTheMaterialsOfTheShownVolumesInIdOrder)
{
    const auto first = volume({12, 1, 0, 1});
    const auto second = volume({5, 77, 1});
    const auto hidden = volume({5, 5});
    hidden->painter().setPaintingSuspended(true);

    auto entries = entriesOf({first, second});
    EXPECT_EQ(ids(entries), (std::vector<unsigned>{1, 5, 12, 77}));
    EXPECT_EQ(entries[1].name, "Cu (bulk)");
    EXPECT_EQ(entries[1].colour.rgb(), QColor::fromRgbF(1.0, 0.8, 0.3).rgb());
    EXPECT_EQ(entries[2].colour.alpha(), 255) << "the swatch shows the hue, opaque";
    EXPECT_EQ(entries[3].name, "Material 77") << "an id the catalogue does not know";

    EXPECT_EQ(ids(entriesOf({first, hidden})), (std::vector<unsigned>{1, 12}))
        << "a volume that is not painted shows nothing";
    EXPECT_TRUE(entriesOf({}).empty());
}

TEST_F(MaterialLegendTest, PanelShowsEachColourInItsSwatchOverTheBackground)
{
    EXPECT_TRUE(MaterialLegend::picture({}, Qt::black).isNull()) << "no materials, no panel";

    const auto entries = entriesOf({volume({1, 5, 12})});
    for (const QColor &background : {QColor(Qt::black), QColor(Qt::white)}) {
        const QImage panel = MaterialLegend::picture(entries, background);
        ASSERT_FALSE(panel.isNull());
        EXPECT_GE(panel.rect().bottom(), MaterialLegend::swatch(2).bottom());
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(panel.pixel(MaterialLegend::swatch(row).center()), entries[std::size_t(row)].colour.rgb()) << row;
        // The names are written in a colour that stands out from the panel:
        // beside the swatches, pixels nearer white than black on black.
        const bool dark = background == Qt::black;
        int textPixels = 0;
        for (int x = MaterialLegend::swatch(0).right() + 3; x < panel.width() - 2; ++x)
            for (int y = 2; y < panel.height() - 2; ++y)
                textPixels += (qGray(panel.pixel(x, y)) > 128) == dark;
        EXPECT_GT(textPixels, 20) << background.name().toStdString();
    }

    const QImage oneRow = MaterialLegend::picture({entries[0]}, Qt::black);
    EXPECT_LT(oneRow.height(), MaterialLegend::picture(entries, Qt::black).height());
}
