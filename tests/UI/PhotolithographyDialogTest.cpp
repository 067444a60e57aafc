// The photolithography options: masks from files applied and removed while
// the dialog is open reach the volume at once (the overlay), an unreadable
// file keeps the mask there was, and the dialog's answer develops the
// resist or cancels the operation.
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/BatchRun/BatchRunner.h"
#include "UI/BatchRun/ProcessData.h"
#include "UI/MaterialComboBox.h"
#include "UI/OperationFactory.h"
#include "UI/Operations/PhotolithographyDialog.h"

#include "UI/Operations/LayoutMaskDialog.h"

#include "LayoutWriter.h"
#include "ModalDriver.h"
#include "RecordingOperation.h"
#include "TempFolder.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

using Ui::Operations::PhotolithographyDialog;

namespace {

constexpr std::uint32_t Si = 1, Resist = 11;

// A 3 x 2 mask image whose only opaque pixel is the bottom left one.
QString writeMaskImage(const TestSupport::TempFolder &folder, const QString &name)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 1, qRgb(0, 0, 0));
    const QString path = folder.file(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

void click(QWidget *dialog, const char *button)
{
    auto *b = dialog->findChild<QAbstractButton *>(QLatin1String(button));
    ASSERT_TRUE(b) << button;
    b->click();
}

} // namespace

TEST(PhotolithographyDialog, ApplyAndRemoveHandMasksOnAndABadFileKeepsTheOldOne)
{
    TestSupport::TempFolder folder;
    PhotolithographyDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Photolithography Options");
    EXPECT_EQ(dialog.size(), QSize(370, 360));
    QSignalSpy changes(&dialog, &PhotolithographyDialog::maskChanged);

    const QString path = writeMaskImage(folder, "mask.png");
    dialog.fileEdit(PhotolithographyDialog::Top)->setText(path);
    click(&dialog, "btnTopMaskApply");
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.takeFirst().at(0).toInt(), int(PhotolithographyDialog::Top));
    const auto &top = dialog.mask(PhotolithographyDialog::Top);
    EXPECT_EQ(top.width, 3);
    EXPECT_EQ(top.height, 2);
    EXPECT_EQ(top.bits, (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_EQ(dialog.maskFile(PhotolithographyDialog::Top), path);

    for (const auto side : {PhotolithographyDialog::Top, PhotolithographyDialog::Bottom}) {
        QString warning;
        TestSupport::whenModal<QMessageBox>([&warning](QMessageBox *box) {
            warning = box->text();
            box->accept();
        });
        dialog.fileEdit(side)->setText(folder.file("missing.png"));
        EXPECT_FALSE(dialog.applyMask(side));
        EXPECT_EQ(warning, side == PhotolithographyDialog::Top
                               ? "Top Mask file not found!<br/>Please verify the filename is correct and you have "
                                 "the correct permissions."
                               : "Bottom mask not found error!<br/>Please verify if the filename is correct and you "
                                 "have the correct permissions.");
    }
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(dialog.mask(PhotolithographyDialog::Top).bits.size(), 6u) << "the previous mask stays";
    EXPECT_EQ(dialog.maskFile(PhotolithographyDialog::Top), path);
    EXPECT_TRUE(dialog.mask(PhotolithographyDialog::Bottom).isEmpty());

    click(&dialog, "btnTopMaskRemove");
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(dialog.mask(PhotolithographyDialog::Top).isEmpty());
    EXPECT_TRUE(dialog.maskFile(PhotolithographyDialog::Top).isEmpty());
}

// A layout file asks for its cell and layer, fits the layout to the volume
// by default, and draws the chosen layer; a damaged one gives the warning
// and keeps the mask there was.
TEST(PhotolithographyDialog, LayoutFilesAreDrawnForTheVolumeAndDamagedOnesRefused)
{
    TestSupport::TempFolder folder;
    TestSupport::LayoutWriter writer;
    writer.beginCell("TOP")
        .polygon(1, 0, {{0, 0}, {10, 0}, {10, 20}, {0, 20}})
        .polygon(2, 0, {{30, 30}, {40, 30}, {40, 40}, {30, 40}})
        .endCell();
    const QByteArray bytes = writer.finish();
    const QString path = folder.file("masks.GDS");
    ASSERT_TRUE(TestSupport::TempFolder::write(path, bytes));

    PhotolithographyDialog dialog;
    dialog.setVolumeExtent(4, 4);
    QStringList layers;
    TestSupport::whenModal<Ui::Operations::LayoutMaskDialog>([&layers](Ui::Operations::LayoutMaskDialog *ask) {
        EXPECT_EQ(ask->cellChoice()->currentText(), "TOP");
        for (int i = 0; i < ask->layerChoice()->count(); ++i)
            layers << ask->layerChoice()->itemText(i);
        EXPECT_DOUBLE_EQ(ask->placement().unitsPerCell, 10.0) << "40 units over 4 cells";
        ask->accept();
    });
    dialog.fileEdit(PhotolithographyDialog::Bottom)->setText(path);
    ASSERT_TRUE(dialog.applyMask(PhotolithographyDialog::Bottom));
    EXPECT_EQ(layers, (QStringList{"1/0", "2/0"}));
    const auto &mask = dialog.mask(PhotolithographyDialog::Bottom);
    EXPECT_EQ(mask.width, 4);
    EXPECT_EQ(mask.height, 4);
    // Layer 1: x 0..10, y 0..20 covers column x = 0, rows 0 and 1.
    std::vector<bool> expected(16, false);
    expected[0] = expected[1] = true;
    EXPECT_EQ(mask.bits, expected);
    EXPECT_EQ(dialog.maskSource(PhotolithographyDialog::Bottom), "TOP, layer 1/0");

    // A process list entry keeps the drawn bits, and the file, cell and
    // layer for display; the batch engine runs it with the chosen resist
    // (material 0, the empty cell, is none).
    dialog.setMaterials(Model::Materials::MaterialFactory::getInstance()->getMaterials());
    Ui::ProcessData entry(Ui::ProcessData::Photolithography);
    dialog.fillEntry(entry);
    EXPECT_EQ(entry.parameter("Bottom Mask").value<Ui::MaskVector>(), expected);
    EXPECT_FALSE(entry.isVisible("Bottom Mask"));
    EXPECT_EQ(entry.parameter("Bottom Mask Width").toUInt(), 4u);
    EXPECT_EQ(entry.parameter("Bottom Mask File").toString(), path);
    EXPECT_EQ(entry.parameter("Bottom Mask Layout").toString(), "TOP, layer 1/0");
    EXPECT_TRUE(entry.isVisible("Bottom Mask Layout"));
    EXPECT_EQ(entry.parameter("Top Mask Width").toUInt(), 0u);
    Core::Operations::OperationContext context;
    Ui::BatchRunner runner(context);
    runner.setVolume(boost::make_shared<Model::Automaton::TotalVolume>(4, 4, 2, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                                       std::vector<std::uint32_t>(32, 0)));
    EXPECT_EQ(runner.run(entry), Ui::BatchRunner::Done) << runner.problem().toStdString();

    const QString damaged = folder.file("damaged.gds");
    ASSERT_TRUE(TestSupport::TempFolder::write(damaged, bytes.left(bytes.size() - 6)));
    QString warning;
    TestSupport::whenModal<QMessageBox>([&warning](QMessageBox *box) {
        warning = box->text();
        box->accept();
    });
    dialog.fileEdit(PhotolithographyDialog::Bottom)->setText(damaged);
    EXPECT_FALSE(dialog.applyMask(PhotolithographyDialog::Bottom));
    EXPECT_TRUE(warning.startsWith("Bottom mask not found error!")) << warning.toStdString();
    EXPECT_EQ(dialog.mask(PhotolithographyDialog::Bottom).bits, expected);
    EXPECT_EQ(dialog.maskFile(PhotolithographyDialog::Bottom), path);
}

class PhotolithographyFlowTest : public ::testing::Test
{
protected:
    PhotolithographyFlowTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<Ui::OperationFactory>(&context, nullptr));
        // Every column: Si, resist, resist, empty.
        std::vector<std::uint32_t> m(3 * 2 * 4);
        for (std::size_t i = 0; i < m.size(); ++i)
            m[i] = i % 4 == 0 ? Si : i % 4 == 3 ? 0 : Resist;
        volume = boost::make_shared<Model::Automaton::TotalVolume>(3, 2, 4, 1.0f, 1.0f, 1.0f, Util::Vector3D(), m);
        context.document().addObject(volume);
    }

    std::uint32_t at(unsigned x, unsigned y, unsigned z) { return volume->materials()[volume->cellIndex(x, y, z)]; }

    TestSupport::TempFolder folder;
    Core::Operations::OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
    boost::shared_ptr<Model::Automaton::TotalVolume> volume;
};

TEST_F(PhotolithographyFlowTest, AppliedMasksShowOnTheVolumeAndAcceptedOptionsDevelop)
{
    const QString path = writeMaskImage(folder, "mask.bmp");
    bool shownWhileOpen = false;
    TestSupport::whenModal<PhotolithographyDialog>([&](PhotolithographyDialog *dialog) {
        dialog->fileEdit(PhotolithographyDialog::Top)->setText(path);
        click(dialog, "btnTopMaskApply");
        shownWhileOpen = volume->topMask().width == 3;
        auto *material = dialog->findChild<QComboBox *>("cbxMaterial");
        EXPECT_TRUE(Ui::MaterialComboBox::selectMaterial(material, Resist));
        dialog->accept();
    });
    context.startOperation(Core::Operations::PhotolithographyId);
    EXPECT_TRUE(shownWhileOpen) << "the overlay is drawn while the dialog is open";
    EXPECT_EQ(lines->lines.back(), "Photolithography: Operation finished.");
    EXPECT_EQ(at(0, 0, 1), Resist) << "under the opaque pixel";
    EXPECT_EQ(at(0, 1, 1), 0u);
    EXPECT_EQ(at(2, 0, 2), 0u);
    EXPECT_TRUE(volume->topMask().isEmpty()) << "the development takes the overlay away";
    EXPECT_EQ(context.history().undoTitle(), "Photolithography");
}

TEST_F(PhotolithographyFlowTest, ARejectedDialogCancelsAndLeavesTheAppliedMaskShown)
{
    const QString path = writeMaskImage(folder, "mask.png");
    const auto before = volume->materials();
    TestSupport::whenModal<PhotolithographyDialog>([&](PhotolithographyDialog *dialog) {
        dialog->fileEdit(PhotolithographyDialog::Bottom)->setText(path);
        click(dialog, "btnBottomMaskApply");
        dialog->reject();
    });
    context.startOperation(Core::Operations::PhotolithographyId);
    EXPECT_EQ(lines->lines.back(), "Photolithography: Operation Canceled!");
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(volume->materials(), before);
    EXPECT_EQ(volume->bottomMask().width, 3);

    // The next dialog starts from the mask the view shows.
    Model::Automaton::CellMask offered;
    TestSupport::whenModal<PhotolithographyDialog>([&](PhotolithographyDialog *dialog) {
        offered = dialog->mask(PhotolithographyDialog::Bottom);
        dialog->reject();
    });
    context.startOperation(Core::Operations::PhotolithographyId);
    EXPECT_EQ(offered.bits, volume->bottomMask().bits);
    EXPECT_EQ(offered.width, 3);
}

// The film list holds what the process catalogue allows a development to
// work on, resists first, and never the silicon of a wafer.
TEST(PhotolithographyDialog, OffersTheCompatibleFilmsResistsFirst)
{
    std::vector<unsigned> ids;
    for (const auto &material : PhotolithographyDialog::films())
        ids.push_back(material.id());
    EXPECT_EQ(ids, (std::vector<unsigned>{11, 12, 3, 4, 5, 6, 7, 8, 9, 10, 13}));
}

// OK without any mask would develop every exposed cell of the film: the
// dialog asks first, No keeps it open, and a negative resist, which no mask
// leaves whole, is not asked about.
TEST(PhotolithographyDialog, OkWithoutAMaskAsksBeforeDevelopingTheWholeFilm)
{
    PhotolithographyDialog dialog;
    dialog.setMaterials(PhotolithographyDialog::films());
    auto *material = dialog.findChild<QComboBox *>("cbxMaterial");
    ASSERT_TRUE(Ui::MaterialComboBox::selectMaterial(material, Resist));
    QString asked;
    const auto answer = [&asked](QMessageBox::StandardButton button) {
        TestSupport::whenModal<QMessageBox>([&asked, button](QMessageBox *box) {
            asked = box->text();
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
            box->button(button)->click();
        });
    };
    answer(QMessageBox::No);
    dialog.accept();
    EXPECT_EQ(asked, "No mask is applied: all of the exposed Photoresist + will be developed. Continue?");
    EXPECT_EQ(dialog.result(), int(QDialog::Rejected)) << "the dialog stays open";

    answer(QMessageBox::Yes);
    dialog.accept();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));

    PhotolithographyDialog negative;
    negative.setMaterials(PhotolithographyDialog::films());
    ASSERT_TRUE(Ui::MaterialComboBox::selectMaterial(negative.findChild<QComboBox *>("cbxMaterial"), 12));
    negative.accept();
    EXPECT_EQ(negative.result(), int(QDialog::Accepted)) << "no question: nothing would be developed";

    TestSupport::TempFolder folder;
    PhotolithographyDialog masked;
    masked.setMaterials(PhotolithographyDialog::films());
    masked.fileEdit(PhotolithographyDialog::Top)->setText(writeMaskImage(folder, "mask.png"));
    ASSERT_TRUE(masked.applyMask(PhotolithographyDialog::Top));
    masked.accept();
    EXPECT_EQ(masked.result(), int(QDialog::Accepted));
}
