// File > Export without its dialog: the operation takes the only volume,
// writes the file it is given, and says on the console what happened. A file
// the format cannot hold is refused there, and an earlier file of that name
// is kept.
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/Volumes/ExportVolumeOperation.h"
#include "Model/Automaton/TotalVolume.h"

#include "FilledVolume.h"
#include "RecordingOperation.h"
#include "TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Core::Operations;
using TestSupport::TempFolder;

namespace {

class ExportVolumeOperationTest : public ::testing::Test
{
protected:
    ExportVolumeOperationTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<OperationFactory>(&context));
    }

    // Exports the document's only volume to `name` in the temporary folder.
    boost::shared_ptr<ExportVolumeOperation> exportTo(const QString &name)
    {
        context.startOperation(ExportVolumeId);
        const auto op = boost::dynamic_pointer_cast<ExportVolumeOperation>(context.currentOperation());
        EXPECT_TRUE(op);
        if (!op)
            return op;
        EXPECT_EQ(op->step(), VolumeOutputOperation::ChoosingFile);
        op->setFileName(temp.file(name));
        op->end();
        return op;
    }

    TempFolder temp;
    OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
};

} // namespace

TEST_F(ExportVolumeOperationTest, AVolumeTooFarOutForTheFilesNumbersIsRefusedAndTheEarlierFileKept)
{
    // Cells 1e37 wide along x: at 2e38 the file's floats still tell their
    // corners apart.
    auto volume = TestSupport::filledVolume(
        3, 3, 3, [](unsigned, unsigned, unsigned z) { return z < 2 ? 1u : 0u; }, {1e37f, 1.0f, 1.0f});
    volume->moveBy(Util::Vector3D(2e38, 0, 0));
    context.document().addObject(volume);

    const auto near = exportTo(QStringLiteral("near.stl"));
    ASSERT_TRUE(near);
    EXPECT_TRUE(near->problem().isEmpty()) << near->problem().toStdString();
    EXPECT_EQ(lines->lines.back(), "Export: Exported to " + temp.file(QStringLiteral("near.stl")).toStdString() + ".");

    // 2e38 more is beyond the largest float.
    volume->moveBy(Util::Vector3D(2e38, 0, 0));
    ASSERT_TRUE(TempFolder::write(temp.file(QStringLiteral("far.stl")), "earlier export"));
    const auto far = exportTo(QStringLiteral("far.stl"));
    ASSERT_TRUE(far);
    const std::string refusal = temp.file(QStringLiteral("far.stl")).toStdString() + ": not written: ";
    EXPECT_EQ(lines->lines.back().rfind("Export: " + refusal, 0), 0u) << lines->lines.back();
    EXPECT_EQ(far->problem().toStdString().rfind(refusal, 0), 0u) << far->problem().toStdString();
    EXPECT_EQ(TempFolder::read(temp.file(QStringLiteral("far.stl"))), QByteArray("earlier export"));
    // The near export's silicon body has its file beside it; the far one
    // wrote none.
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("far.stl"), QStringLiteral("near-Si.stl"), QStringLiteral("near.stl")}));
    EXPECT_FALSE(context.currentOperation());
}
