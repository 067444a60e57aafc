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
#include "UI/BatchRun/ProcessListArchiver.h"
#include "UI/MaterialComboBox.h"
#include "UI/OperationFactory.h"
#include "UI/Operations/PhotolithographyDialog.h"

#include "UI/Operations/LayoutMaskDialog.h"

#include "LayoutWriter.h"
#include "ModalDriver.h"
#include "RecordingOperation.h"
#include "TempFolder.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>

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
    EXPECT_EQ(PhotolithographyDialog::maskDirectory(), folder.path()) << "the next chooser opens where it was";

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

    // A process list entry keeps the drawn bits, the file and the layout's
    // choices, from which its run draws the mask again; the batch engine
    // runs it with the chosen resist (material 0, the empty cell, is none).
    dialog.setMaterials(Model::Materials::MaterialFactory::getInstance()->getMaterials());
    Ui::ProcessData entry(Ui::ProcessData::Photolithography);
    dialog.fillEntry(entry);
    EXPECT_EQ(entry.parameter("Bottom Mask").value<Ui::MaskVector>(), expected);
    EXPECT_FALSE(entry.isVisible("Bottom Mask"));
    EXPECT_EQ(entry.parameter("Bottom Mask Width").toUInt(), 4u);
    EXPECT_EQ(entry.parameter("Bottom Mask File").toString(), path);
    EXPECT_EQ(entry.parameter("Bottom Mask Layout").toString(), "TOP, layer 1/0");
    EXPECT_TRUE(entry.isVisible("Bottom Mask Layout"));
    EXPECT_EQ(entry.parameter("Bottom Mask Cell").toString(), "TOP");
    EXPECT_EQ(entry.parameter("Bottom Mask Layer").toUInt(), 1u);
    EXPECT_EQ(entry.parameter("Bottom Mask Units per Cell").toDouble(), 10.0);
    EXPECT_FALSE(entry.hasParameter("Top Mask Cell")) << "no layout on top";
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

namespace {

// The shapes a mask layout holds, one layer each, in layout units: a box
// (1/0), a concave U (2/0), a path with a bend (3/0), and an L-shaped foot
// placed as a 3 x 2 array turned a quarter and mirrored (4/0).
QByteArray shapesLayout()
{
    TestSupport::LayoutWriter writer;
    writer.beginCell("FOOT").polygon(4, 0, {{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 4}, {0, 4}}).endCell();
    writer.beginCell("SHAPES")
        .polygon(1, 0, {{3, 2}, {11, 2}, {11, 9}, {3, 9}})
        .polygon(2, 0, {{2, 2}, {20, 2}, {20, 16}, {15, 16}, {15, 7}, {7, 7}, {7, 16}, {2, 16}})
        .path(3, 0, 3, 0, {{1, 4}, {18, 4}, {18, 17}})
        .array("FOOT", 3, 2, 6, 2, 5, 7, 90.0, true)
        .endCell();
    return writer.finish();
}

// The cells of a 24 x 20 volume (Si under two cells of resist in every
// column) after `entry` ran, with what the run noted.
std::vector<std::uint32_t> developed(const Ui::ProcessData &entry, QStringList *notes)
{
    std::vector<std::uint32_t> cells(24 * 20 * 4);
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = i % 4 == 0 ? Si : i % 4 == 3 ? 0 : Resist;
    Core::Operations::OperationContext context;
    Ui::BatchRunner runner(context);
    runner.setVolume(boost::make_shared<Model::Automaton::TotalVolume>(24, 20, 4, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                                       cells));
    EXPECT_EQ(runner.run(entry), Ui::BatchRunner::Done) << runner.problem().toStdString();
    *notes = runner.notes();
    return runner.volume()->materials();
}

} // namespace

// An entry that names the layout the dialog drew a mask from develops the
// resist exactly as the flags the dialog drew, for every kind of shape,
// once stored in a list and read back: by the file's whole path, and by a
// path relative to the list's folder (not the current one). The flags alone
// still develop as they always did; next to the file they are left aside,
// and the run says so.
TEST(PhotolithographyDialog, ALayoutNamedByAnEntryDevelopsAsTheFlagsTheDialogDrewFromIt)
{
    TestSupport::TempFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("flows/masks"));
    const QString layout = folder.file("flows/masks/shapes.gds");
    ASSERT_TRUE(TestSupport::TempFolder::write(layout, shapesLayout()));

    const char *const shapes[] = {"a box", "a concave polygon", "a path", "a turned, mirrored array"};
    std::list<Ui::ProcessData> entries;
    for (int layer = 0; layer < 4; ++layer) {
        PhotolithographyDialog dialog;
        dialog.setVolumeExtent(24, 20);
        dialog.setMaterials(PhotolithographyDialog::films());
        ASSERT_TRUE(Ui::MaterialComboBox::selectMaterial(dialog.findChild<QComboBox *>("cbxMaterial"), Resist));
        TestSupport::whenModal<Ui::Operations::LayoutMaskDialog>([layer](Ui::Operations::LayoutMaskDialog *ask) {
            EXPECT_EQ(ask->cellChoice()->currentText(), "SHAPES");
            ask->layerChoice()->setCurrentIndex(layer); // the default placement: fitted to the volume
            ask->accept();
        });
        dialog.fileEdit(PhotolithographyDialog::Top)->setText(layout);
        ASSERT_TRUE(dialog.applyMask(PhotolithographyDialog::Top)) << shapes[layer];
        EXPECT_EQ(PhotolithographyDialog::maskDirectory(), folder.file("flows/masks"));
        Ui::ProcessData named(Ui::ProcessData::Photolithography);
        dialog.fillEntry(named);
        EXPECT_EQ(named.parameter("Top Mask Layer").toUInt(), unsigned(layer + 1));
        EXPECT_EQ(named.parameter("Top Mask Cell").toString(), "SHAPES");
        EXPECT_EQ(named.parameter("Top Mask Width").toUInt(), 24u) << "the flags are kept too";

        Ui::ProcessData flags = named;
        flags.setParameter("Top Mask File", QString());
        Ui::ProcessData relative = named;
        relative.setParameter("Top Mask File", QStringLiteral("masks/shapes.gds"));
        entries.insert(entries.end(), {flags, named, relative});
    }
    const QString list = folder.file("flows/shapes.plst");
    ASSERT_TRUE(Ui::ProcessListArchiver(entries).saveProcessList(list));
    std::list<Ui::ProcessData> read;
    ASSERT_TRUE(Ui::ProcessListArchiver(read).loadProcessList(list, read));
    ASSERT_EQ(read.size(), 12u);

    auto entry = read.begin();
    std::vector<std::vector<std::uint32_t>> byLayer;
    for (const char *shape : shapes) {
        SCOPED_TRACE(shape);
        QStringList notes;
        const std::vector<std::uint32_t> fromFlags = developed(*entry++, &notes);
        EXPECT_TRUE(notes.isEmpty());
        for (const char *how : {"by its whole path", "relative to the list"}) {
            SCOPED_TRACE(how);
            EXPECT_EQ(developed(*entry++, &notes), fromFlags);
            ASSERT_EQ(notes.size(), 1);
            EXPECT_TRUE(notes.front().startsWith(QStringLiteral("the top mask is read from %1, cell SHAPES, layer ")
                                                     .arg(QDir::toNativeSeparators(layout))))
                << notes.front().toStdString();
        }
        const auto kept = std::count(fromFlags.begin(), fromFlags.end(), Resist);
        EXPECT_GT(kept, 0) << "the mask covers some columns";
        EXPECT_LT(kept, 24 * 20 * 2) << "and leaves others open";
        for (const auto &other : byLayer)
            EXPECT_NE(other, fromFlags) << "each layer is its own mask";
        byLayer.push_back(fromFlags);
    }
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
