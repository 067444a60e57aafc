// Pictures drawn without a window, as the batch program saves them: the
// volume fitted to the picture and the legend of its materials.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Document.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/View/MaterialLegend.h"
#include "UI/View/SceneImage.h"

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <functional>

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

namespace {

// Pixels whose colour has the ordering of a yellowish metal (red and green
// well above blue), or is a green well above red and blue.
int countPixels(const QImage &image, const std::function<bool(const QColor &)> &match)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixelColor(x, y)))
                ++count;
    return count;
}

bool yellowish(const QColor &c)
{
    return c.red() > c.blue() + 60 && c.green() > c.blue() + 40;
}

bool greenish(const QColor &c)
{
    return c.green() > c.red() + 40 && c.green() > c.blue() + 40;
}

// A silicon block with a copper film on top.
boost::shared_ptr<Model::Automaton::TotalVolume> filmOnSilicon()
{
    const unsigned n = 16, h = 8;
    std::vector<std::uint32_t> cells(n * n * h);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::size_t z = i % h;
        cells[i] = z < 5 ? 1u : z < 6 ? 5u : 0u;
    }
    return boost::make_shared<Model::Automaton::TotalVolume>(n, n, h, 1.0f, 1.0f, 1.0f, Util::Vector3D(30, -20, 0),
                                                             cells);
}

QImage picture(Model::Document &document, const Model::Automaton::TotalVolume &volume)
{
    const QSize size(320, 240);
    Ui::SceneView view = Ui::SceneImage::framing(volume, size);
    view.showLegend = false;
    QString problem;
    const QImage image = Ui::SceneImage::render(document, view, size, &problem);
    EXPECT_FALSE(image.isNull()) << problem.toStdString();
    return image;
}

} // namespace

TEST(SceneImage, MarchingCubeSurfaceIsDrawnInItsMaterialColoursAndDiffersFromTheCubicOne)
{
    auto volume = filmOnSilicon();
    Model::Document document;
    document.addObject(volume);
    const QImage cubic = picture(document, *volume);
    volume->painter().setAlgorithm(Model::Automaton::SurfaceGenerationAlgorithm::MarchingCubes);
    const QImage smooth = picture(document, *volume);
    ASSERT_FALSE(cubic.isNull() || smooth.isNull());
    EXPECT_NE(smooth, cubic);
    EXPECT_GT(countPixels(smooth, yellowish), 500) << "the copper film shows in its colour";
    EXPECT_GT(countPixels(cubic, yellowish), 500);
}

// Atoms lie inside their cells, so they show through silicon drawn
// translucent.
TEST(SceneImage, AtomsOfTheSiLatticeShowThroughTheSurface)
{
    const auto catalogue = Model::Materials::MaterialFactory::getInstance();
    const Model::Materials::Material silicon = catalogue->getMaterial(1);
    Model::Materials::Material glassy = silicon;
    Model::Materials::Colour colour = silicon.colour();
    colour.alpha = 0.4f;
    glassy.setColour(colour);
    ASSERT_TRUE(catalogue->setMaterial(glassy));

    const unsigned n = 12, h = 6;
    std::vector<std::uint32_t> cells(n * n * h);
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = i % h < 4 ? 1u : 0u;
    auto volume = boost::make_shared<Model::Automaton::TotalVolume>(n, n, h, 1.0f, 1.0f, 1.0f,
                                                                   Util::Vector3D(-10, 5, 0), cells);
    Model::Document document;
    document.addObject(volume);
    ASSERT_TRUE(volume->rebuildSiLattice());
    const QImage without = picture(document, *volume);
    Model::Automaton::AtomViewFlags flags;
    flags.atoms = flags.atomLinks = true;
    volume->painter().setAtomViewFlags(flags);
    const QImage with = picture(document, *volume);
    catalogue->setMaterial(silicon);

    ASSERT_FALSE(without.isNull() || with.isNull());
    EXPECT_NE(with, without);
    EXPECT_EQ(countPixels(without, greenish), 0);
    EXPECT_GT(countPixels(with, greenish), 100) << "the (100) top's atoms, light green";
}
