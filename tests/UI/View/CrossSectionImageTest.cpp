// Cross-section pictures: one block per cell in its material's colour, the
// vertical axis pointing up, white where cells are empty, a legend of the
// plane's materials only, and planes outside the volume refused.
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/View/CrossSectionImage.h"

#include "FilledVolume.h"
#include "TempFolder.h"

#include <QImage>

#include <algorithm>

#include <gtest/gtest.h>

using Model::Materials::Colour;
using Model::Materials::Material;
using Ui::CrossSectionImage;

namespace {

class CrossSectionImageTest : public ::testing::Test
{
protected:
    CrossSectionImageTest() : catalogue(temp.path())
    {
        catalogue.setMaterial(Material(1, "Si", 1, 1, 1, Colour{0.2f, 0.6f, 0.4f, 1.0f}));
        catalogue.setMaterial(Material(4, "Gold", 1, 1, 1, Colour{1.0f, 0.8f, 0.0f, 1.0f}));
        // 4 x 3 x 2: silicon at z = 0, gold over x < 2 at z = 1.
        volume = TestSupport::filledVolume(4, 3, 2, [](unsigned x, unsigned, unsigned z) {
            return z == 0 ? 1u : (x < 2 ? 4u : 0u);
        });
    }

    // The colour (RGB) in the middle of the block of cell (i, j) of the section:
    // i to the right, j up.
    QRgb cellColour(const QImage &image, int axis, int i, int j, int cellsUp)
    {
        const QSize block = CrossSectionImage::blockSize(*volume, axis);
        const QPoint origin = CrossSectionImage::sectionOrigin();
        return image.pixel(origin.x() + i * block.width() + block.width() / 2,
                                origin.y() + (cellsUp - 1 - j) * block.height() + block.height() / 2);
    }

    TestSupport::TempFolder temp;
    Model::Materials::MaterialFactory catalogue;
    boost::shared_ptr<Model::Automaton::TotalVolume> volume;
};

bool holdsColour(const QImage &image, const QColor &colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour.rgb())
                return true;
    return false;
}

} // namespace

TEST_F(CrossSectionImageTest, EachCellIsABlockOfItsMaterialWithZUp)
{
    const QImage image = CrossSectionImage::picture(*volume, 1, 1, catalogue);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(CrossSectionImage::blockSize(*volume, 1), QSize(32, 32));
    const QRgb silicon = QColor::fromRgbF(0.2, 0.6, 0.4).rgb(), gold = QColor::fromRgbF(1.0, 0.8, 0.0).rgb();
    EXPECT_EQ(cellColour(image, 1, 0, 0, 2), silicon);
    EXPECT_EQ(cellColour(image, 1, 3, 0, 2), silicon);
    EXPECT_EQ(cellColour(image, 1, 1, 1, 2), gold);
    EXPECT_EQ(cellColour(image, 1, 3, 1, 2), QColor(Qt::white).rgb());
}

TEST_F(CrossSectionImageTest, TheLegendListsOnlyThePlanesMaterials)
{
    const QImage top = CrossSectionImage::picture(*volume, 2, 1, catalogue);
    ASSERT_FALSE(top.isNull());
    EXPECT_TRUE(holdsColour(top, QColor::fromRgbF(1.0, 0.8, 0.0)));
    EXPECT_FALSE(holdsColour(top, QColor::fromRgbF(0.2, 0.6, 0.4)));
}

TEST_F(CrossSectionImageTest, PlanesOutsideTheVolumeAreRefused)
{
    EXPECT_EQ(CrossSectionImage::rangeProblem(*volume, 0, 4), QStringLiteral("x=4: beyond the 4 cells along x (0 to 3)"));
    EXPECT_TRUE(CrossSectionImage::rangeProblem(*volume, 2, 1).isEmpty());
    EXPECT_TRUE(CrossSectionImage::picture(*volume, 2, 2, catalogue).isNull());
    QString problem;
    EXPECT_FALSE(CrossSectionImage::save(*volume, 1, 3, catalogue, Model::LengthUnit(), temp.file(QStringLiteral("s.png")), &problem));
    EXPECT_TRUE(problem.contains(QStringLiteral("y=3: beyond the 3 cells along y"))) << problem.toStdString();
    EXPECT_FALSE(QFile::exists(temp.file(QStringLiteral("s.png"))));
}

TEST_F(CrossSectionImageTest, ScaleBarsShowRoundLengths)
{
    EXPECT_DOUBLE_EQ(CrossSectionImage::roundLength(7), 5);
    EXPECT_DOUBLE_EQ(CrossSectionImage::roundLength(10), 10);
    EXPECT_DOUBLE_EQ(CrossSectionImage::roundLength(0.3), 0.2);
    EXPECT_DOUBLE_EQ(CrossSectionImage::roundLength(0.099), 0.05);
    EXPECT_DOUBLE_EQ(CrossSectionImage::roundLength(0), 0);
}

// The longest run of black pixels in a row below `top`: the scale bar.
int longestBlackRun(const QImage &image, int top)
{
    int longest = 0;
    for (int y = top; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = image.pixel(x, y) == qRgb(0, 0, 0) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

// The bar is a round length in metres: 20 µm over 80 cells of 1 µm, 50 µm
// over the same cells in the default unit (217 µm across).
TEST_F(CrossSectionImageTest, TheScaleBarIsARoundLengthInTheDocumentsUnit)
{
    const auto wide = TestSupport::filledVolume(80, 1, 4, [](unsigned, unsigned, unsigned z) {
        return z < 2 ? 1u : 0u;
    });
    const int block = CrossSectionImage::blockSize(*wide, 1).width();
    ASSERT_EQ(block, 10);
    const int below = CrossSectionImage::sectionOrigin().y() + 4 * CrossSectionImage::blockSize(*wide, 1).height() + 2;

    const QImage micron = CrossSectionImage::picture(*wide, 1, 0, catalogue, Model::LengthUnit(1e-6));
    EXPECT_NEAR(longestBlackRun(micron, below), 20 * block, 2);

    const QImage standard = CrossSectionImage::picture(*wide, 1, 0, catalogue, Model::LengthUnit());
    EXPECT_NEAR(longestBlackRun(standard, below), 50e-6 / Model::LengthUnit().metres() * block, 2);
}
