// The batch program on a display: "Save Image" draws the volume as the 3D
// view does and the run succeeds.
#include "BatchProgramRun.h"
#include "TempFolder.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

TEST(BatchProgramImage, TheSampleListDrawsItsImage)
{
    TestSupport::TempFolder folder;
    const auto result = TestSupport::BatchProgramRun::start(
        folder.path(), {TestSupport::exampleList("example-flow.plst"), QStringLiteral("-o"), QStringLiteral("flow.cvx")},
        true);
    ASSERT_FALSE(result.crashed) << result.err.toStdString();
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("[6/6] Save Image: done in"))) << result.err.toStdString();

    const QImage image(folder.file(QStringLiteral("example-flow.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1024, 768));
    // The copper film on top faces the viewer; the corners show background.
    const QColor centre = image.pixelColor(512, 384);
    EXPECT_GT(centre.red(), 150) << centre.name().toStdString();
    EXPECT_GT(centre.green(), 120) << centre.name().toStdString();
    EXPECT_LT(centre.blue(), 120) << centre.name().toStdString();
    EXPECT_EQ(image.pixelColor(2, 2), image.pixelColor(1021, 765));
    EXPECT_EQ(image.pixelColor(2, 2).alpha(), 255) << "the picture is opaque";
}
