// Pictures drawn without a window, as the batch program saves them: the
// volume fitted to the picture and the legend of its materials.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Document.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/View/MaterialLegend.h"
#include "UI/View/SceneImage.h"

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

TEST(SceneImage, PictureOfAVolumeCarriesTheLegendOfItsMaterials)
{
    std::vector<std::uint32_t> cells(30 * 30 * 10);
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = i % 10 < 7 ? 1u : 5u;
    auto volume = boost::make_shared<Model::Automaton::TotalVolume>(30, 30, 10, 1.0f, 1.0f, 1.0f,
                                                                   Util::Vector3D(-200, 40, 0), cells);
    Model::Document document;
    document.addObject(volume);

    const QSize size(640, 480);
    Ui::SceneView view = Ui::SceneImage::framing(*volume, size);
    QString problem;
    const QImage withLegend = Ui::SceneImage::render(document, view, size, &problem);
    ASSERT_FALSE(withLegend.isNull()) << problem.toStdString();
    view.showLegend = false;
    const QImage without = Ui::SceneImage::render(document, view, size, &problem);
    ASSERT_FALSE(without.isNull()) << problem.toStdString();

    const auto entries = Ui::MaterialLegend::entriesOf({1, 5}, *Model::Materials::MaterialFactory::getInstance());
    ASSERT_EQ(entries.size(), 2u);
    for (int row = 0; row < 2; ++row) {
        const QPoint at = Ui::MaterialLegend::swatch(row).center()
                          + QPoint(Ui::MaterialLegend::Margin, Ui::MaterialLegend::Margin);
        const QColor expected = entries[std::size_t(row)].colour;
        const QColor drawn = withLegend.pixelColor(at);
        EXPECT_NEAR(drawn.red(), expected.red(), 1) << row;
        EXPECT_NEAR(drawn.green(), expected.green(), 1) << row;
        EXPECT_NEAR(drawn.blue(), expected.blue(), 1) << row;
        EXPECT_NE(without.pixelColor(at), drawn) << "only the legend puts it there";
    }
    // The fitted volume sits in the middle of the picture, wherever it lies.
    EXPECT_NE(withLegend.pixelColor(320, 240), withLegend.pixelColor(630, 470));
}
