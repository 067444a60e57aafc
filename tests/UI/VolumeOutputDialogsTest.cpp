// File > Export and File > Save Cross-Section driven through the window's
// factory as a user would: the only volume is taken without asking, the
// file dialog's filter supplies a missing extension, a dismissed dialog
// writes nothing, a failure is shown in a "File Error" box, and the plane's
// index is limited to the chosen axis.
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"
#include "UI/OperationFactory.h"
#include "UI/Operations/CrossSectionDialog.h"

#include "ModalDriver.h"
#include "RecordingOperation.h"
#include "TempFolder.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

using Core::Operations::ExportVolumeId;
using Core::Operations::SaveCrossSectionId;

namespace {

class VolumeOutputDialogsTest : public ::testing::Test
{
protected:
    VolumeOutputDialogsTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<Ui::OperationFactory>(&context, nullptr));
        volume = addVolume();
    }

    // 6 x 4 x 5 cells, silicon in the lower three layers.
    boost::shared_ptr<Model::Automaton::TotalVolume> addVolume()
    {
        std::vector<std::uint32_t> m(6 * 4 * 5, 0);
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = i % 5 < 3 ? 1u : 0u;
        auto added =
            boost::make_shared<Model::Automaton::TotalVolume>(6, 4, 5, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
        context.document().addObject(added);
        return added;
    }

    // Answers the next file dialog with `name` (in the temporary folder)
    // and the filter that contains `filter`; an empty name dismisses it.
    void answerFileDialog(const QString &name, const QString &filter = QString())
    {
        const QString path = name.isEmpty() ? QString() : temp.file(name);
        TestSupport::whenModal<QFileDialog>([path, filter](QFileDialog *dialog) {
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            for (const QString &offered : dialog->nameFilters())
                if (!filter.isEmpty() && offered.contains(filter))
                    dialog->selectNameFilter(offered);
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
        });
    }

    std::string lastLine() const { return lines->lines.empty() ? std::string() : lines->lines.back(); }

    TestSupport::TempFolder temp;
    Core::Operations::OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
    boost::shared_ptr<Model::Automaton::TotalVolume> volume;
};

} // namespace

TEST_F(VolumeOutputDialogsTest, TheOnlyVolumeIsExportedInTheFormatOfTheChosenFilter)
{
    answerFileDialog(QStringLiteral("wafer"), QStringLiteral("*.stl"));
    context.startOperation(ExportVolumeId);
    const QString written = temp.file(QStringLiteral("wafer.stl"));
    EXPECT_TRUE(QFileInfo::exists(written));
    EXPECT_EQ(lastLine(), "Export: Exported to " + written.toStdString() + ".");
    EXPECT_FALSE(context.currentOperation());

    answerFileDialog(QString());
    context.startOperation(ExportVolumeId);
    EXPECT_EQ(lastLine(), "Export: Operation canceled.");
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(VolumeOutputDialogsTest, AnExportThatCannotBeWrittenIsShownInAFileErrorBox)
{
    QString title, text;
    answerFileDialog(QStringLiteral("missing/wafer.vti"));
    TestSupport::repeatUntil(
        [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return false;
            title = box->windowTitle();
            text = box->text();
            box->accept();
            return true;
        },
        [] {});
    context.startOperation(ExportVolumeId);
    EXPECT_EQ(title, QStringLiteral("File Error"));
    EXPECT_TRUE(text.contains(QStringLiteral("wafer.vti"))) << text.toStdString();
    EXPECT_NE(lastLine().find("Export: "), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(temp.file(QStringLiteral("missing"))));
}

TEST_F(VolumeOutputDialogsTest, WithTwoVolumesTheExportAsksWhichOne)
{
    addVolume();
    context.startOperation(ExportVolumeId);
    EXPECT_EQ(lastLine(), "Export: Select a cell volume and press Enter/Return.");
    answerFileDialog(QStringLiteral("picked.vtp"));
    context.selectionManager().toggle({volume->id()});
    context.consoleInput().processLine("");
    EXPECT_TRUE(QFileInfo::exists(temp.file(QStringLiteral("picked.vtp"))));
}

TEST_F(VolumeOutputDialogsTest, ACrossSectionOfTheChosenPlaneIsSaved)
{
    TestSupport::whenModal<Ui::Operations::CrossSectionDialog>([this](Ui::Operations::CrossSectionDialog *dialog) {
        auto *axis = dialog->findChild<QComboBox *>(QStringLiteral("cbxAxis"));
        auto *index = dialog->findChild<QSpinBox *>(QStringLiteral("spinIndex"));
        EXPECT_EQ(axis->currentIndex(), 1);
        EXPECT_EQ(index->value(), 2);
        EXPECT_EQ(index->maximum(), 3);
        axis->setCurrentIndex(0);
        EXPECT_EQ(index->maximum(), 5);
        index->setValue(5);
        answerFileDialog(QStringLiteral("x5.png"));
        dialog->accept();
    });
    context.startOperation(SaveCrossSectionId);
    EXPECT_EQ(lastLine(), "Save Cross-Section: Section x=5 saved to " + temp.file(QStringLiteral("x5.png")).toStdString() + ".");
    EXPECT_FALSE(QImage(temp.file(QStringLiteral("x5.png"))).isNull());

    TestSupport::whenModal<Ui::Operations::CrossSectionDialog>(
        [](Ui::Operations::CrossSectionDialog *dialog) { dialog->reject(); });
    context.startOperation(SaveCrossSectionId);
    EXPECT_EQ(lastLine(), "Save Cross-Section: Operation canceled.");
}
