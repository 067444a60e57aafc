#include "Core/Operations/Substrate/CreateSubstrateOperation.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/OperationFactory.h"
#include "UI/Operations/CreateSubstrateDialog.h"

#include "RecordingOperation.h"
#include "ModalDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

using Ui::Operations::CreateSubstrateDialog;

namespace {

QSpinBox *box(const QDialog &dialog, const char *name)
{
    auto *found = dialog.findChild<QSpinBox *>(name);
    EXPECT_TRUE(found) << name;
    return found;
}

} // namespace

TEST(CreateSubstrateDialog, StartsWithTheDefaultVolumeAndSubstrate)
{
    CreateSubstrateDialog dialog;
    EXPECT_EQ(dialog.objectName(), "CreateSubstrateDialogForm");
    EXPECT_EQ(dialog.windowTitle(), "Create Substrate");
    struct Expected { const char *name; int minimum, maximum, value; bool enabled; };
    const Expected expected[] = {
        {"sbxTotalWidth", 1, 10000, 100, true},      {"sbxTotalLength", 1, 10000, 100, true},
        {"sbxTotalHeight", 1, 10000, 80, true},      {"sbxSubsWidth", 1, 100, 100, true},
        {"sbxSubsLength", 1, 100, 100, true},        {"sbxSubsHeight", 1, 80, 30, true},
        {"sbxSubsX", 0, 0, 0, true},                 {"sbxSubsY", 0, 0, 0, true},
        {"sbxSubsZ", 0, 50, 0, true},                {"sbxSubsRadius", 1, 999999999, 50, false},
        {"sbxSubsCenterX", 0, 99, 0, false},         {"sbxSubsCenterY", 0, 99, 0, false},
        {"sbxSubsCenterZ", 0, 79, 0, false},
    };
    for (const Expected &e : expected) {
        QSpinBox *spin = box(dialog, e.name);
        ASSERT_TRUE(spin);
        EXPECT_EQ(spin->minimum(), e.minimum) << e.name;
        EXPECT_EQ(spin->maximum(), e.maximum) << e.name;
        EXPECT_EQ(spin->value(), e.value) << e.name;
        EXPECT_EQ(spin->isEnabled(), e.enabled) << e.name;
    }
    for (const char *name : {"dblVolumeX", "dblVolumeY", "dblVolumeZ"}) {
        auto *position = dialog.findChild<QDoubleSpinBox *>(name);
        ASSERT_TRUE(position) << name;
        EXPECT_EQ(position->minimum(), -1e9);
        EXPECT_EQ(position->maximum(), 1e9);
        EXPECT_EQ(position->toolTip(), "Define the position of the volume in the viewing space.");
    }
    auto *sphere = dialog.findChild<QCheckBox *>("cbxSubsSphere");
    ASSERT_TRUE(sphere);
    EXPECT_EQ(sphere->text(), "Spherical Substrate");
    EXPECT_FALSE(sphere->isChecked());
    EXPECT_EQ(box(dialog, "sbxTotalWidth")->toolTip(), "Define the size of the total volume.");
    EXPECT_TRUE(box(dialog, "sbxTotalWidth")->whatsThis().contains("aditional deposited films"));
    EXPECT_EQ(box(dialog, "sbxSubsZ")->toolTip(), "Location of the substrate relative to the total volume in cells.");
    EXPECT_EQ(dialog.findChild<QComboBox *>("cbxFilm")->toolTip(), "Material the substrate will be composed of.");
}

TEST(CreateSubstrateDialog, SubstrateAsHighAsTheVolumeLeavesNoRoomToDisplace)
{
    CreateSubstrateDialog dialog;
    box(dialog, "sbxSubsHeight")->setValue(80);
    EXPECT_EQ(box(dialog, "sbxSubsZ")->maximum(), 0);
    box(dialog, "sbxTotalHeight")->setValue(120);
    EXPECT_EQ(box(dialog, "sbxSubsHeight")->maximum(), 120);
    EXPECT_EQ(box(dialog, "sbxSubsHeight")->value(), 80) << "only clamped, not reset";
    EXPECT_EQ(box(dialog, "sbxSubsZ")->maximum(), 40);
    EXPECT_EQ(box(dialog, "sbxSubsCenterZ")->maximum(), 119);
    box(dialog, "sbxTotalHeight")->setValue(50);
    EXPECT_EQ(box(dialog, "sbxSubsHeight")->value(), 50);
    EXPECT_EQ(box(dialog, "sbxSubsZ")->maximum(), 0);
}

TEST(CreateSubstrateDialog, NewVolumeWidthResetsTheSubstrateWidth)
{
    CreateSubstrateDialog dialog;
    box(dialog, "sbxSubsWidth")->setValue(40);
    EXPECT_EQ(box(dialog, "sbxSubsX")->maximum(), 60);
    box(dialog, "sbxSubsX")->setValue(20);
    box(dialog, "sbxTotalWidth")->setValue(250); // reaches updateLimitX
    EXPECT_EQ(box(dialog, "sbxSubsWidth")->maximum(), 250);
    EXPECT_EQ(box(dialog, "sbxSubsWidth")->value(), 250);
    EXPECT_EQ(box(dialog, "sbxSubsX")->maximum(), 0);
    EXPECT_EQ(box(dialog, "sbxSubsX")->value(), 0);
    EXPECT_EQ(box(dialog, "sbxSubsCenterX")->maximum(), 249);
}

namespace {

// Types `text` over the box's contents, key by key, without confirming it.
void typeOver(QSpinBox *spin, const QString &text)
{
    spin->setFocus();
    spin->findChild<QLineEdit *>()->selectAll();
    QTest::keyClicks(spin, text);
}

struct Values
{
    explicit Values(const QDialog &dialog)
    {
        for (const char *name : {"sbxTotalWidth", "sbxTotalLength", "sbxTotalHeight", "sbxSubsWidth",
                                 "sbxSubsLength", "sbxSubsHeight", "sbxSubsX", "sbxSubsY", "sbxSubsZ",
                                 "sbxSubsRadius", "sbxSubsCenterX", "sbxSubsCenterY", "sbxSubsCenterZ"}) {
            values.push_back(box(dialog, name)->value());
            maxima.push_back(box(dialog, name)->maximum());
        }
    }
    std::vector<int> values, maxima;
};

} // namespace

TEST(CreateSubstrateDialog, TypingASizeChangesNoOtherFieldUntilItIsConfirmed)
{
    CreateSubstrateDialog dialog;
    dialog.show();
    dialog.activateWindow(); // so that focus moves between its fields
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    box(dialog, "sbxSubsZ")->setValue(20);
    box(dialog, "sbxSubsCenterX")->setValue(50);
    box(dialog, "sbxSubsCenterZ")->setValue(60);
    const Values before(dialog);

    // "40" passes through 4, below the substrate height of 30.
    QSpinBox *height = box(dialog, "sbxTotalHeight");
    typeOver(height, "40");
    EXPECT_EQ(Values(dialog).values, before.values) << "nothing moves while the height is typed";
    EXPECT_EQ(Values(dialog).maxima, before.maxima);
    box(dialog, "sbxSubsWidth")->setFocus();
    EXPECT_EQ(dialog.totalHeight(), 40);
    EXPECT_EQ(dialog.substrateHeight(), 30) << "the substrate height the user chose";
    EXPECT_EQ(box(dialog, "sbxSubsHeight")->maximum(), 40);
    EXPECT_EQ(box(dialog, "sbxSubsZ")->maximum(), 10);
    EXPECT_EQ(dialog.displacementZ(), 10) << "clamped by the confirmed height";
    EXPECT_EQ(box(dialog, "sbxSubsCenterZ")->maximum(), 39);
    EXPECT_EQ(dialog.centreZ(), 39);

    // "250" passes through 2 and 25; the centre stays where it was.
    QSpinBox *width = box(dialog, "sbxTotalWidth");
    typeOver(width, "250");
    EXPECT_EQ(dialog.centreX(), 50);
    EXPECT_EQ(dialog.substrateWidth(), 100);
    QTest::keyClick(width, Qt::Key_Tab); // leaving the field confirms it
    EXPECT_EQ(dialog.totalWidth(), 250);
    EXPECT_EQ(dialog.substrateWidth(), 250);
    EXPECT_EQ(box(dialog, "sbxSubsCenterX")->maximum(), 249);
    EXPECT_EQ(dialog.centreX(), 50);

    // A substrate height typed over "30": "7" then "75" leaves the
    // displacement alone until confirmed.
    QSpinBox *substrateHeight = box(dialog, "sbxSubsHeight");
    box(dialog, "sbxTotalHeight")->setValue(80);
    box(dialog, "sbxSubsZ")->setValue(10);
    typeOver(substrateHeight, "75");
    EXPECT_EQ(dialog.displacementZ(), 10);
    QTest::keyClick(substrateHeight, Qt::Key_Enter); // and the dialog takes it
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.substrateHeight(), 75);
    EXPECT_EQ(box(dialog, "sbxSubsZ")->maximum(), 5);
    EXPECT_EQ(dialog.displacementZ(), 5);
}

TEST(CreateSubstrateDialog, SizeStillBeingTypedCountsWhenTheDialogIsAccepted)
{
    CreateSubstrateDialog dialog;
    dialog.show();
    typeOver(box(dialog, "sbxTotalHeight"), "12");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.totalHeight(), 12);
    EXPECT_EQ(dialog.substrateHeight(), 12) << "the limits hold for what the user typed";
    EXPECT_EQ(box(dialog, "sbxSubsZ")->maximum(), 0);
}

TEST(CreateSubstrateDialog, SphereAndBoxFieldsTakeTurns)
{
    CreateSubstrateDialog dialog;
    dialog.findChild<QCheckBox *>("cbxSubsSphere")->setChecked(true);
    EXPECT_TRUE(dialog.isSpherical());
    EXPECT_TRUE(box(dialog, "sbxSubsRadius")->isEnabled());
    EXPECT_TRUE(box(dialog, "sbxSubsCenterZ")->isEnabled());
    EXPECT_FALSE(box(dialog, "sbxSubsWidth")->isEnabled());
    EXPECT_FALSE(box(dialog, "sbxSubsZ")->isEnabled());
    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        if (label->text() == "Radius" || label->text() == "Center X") {
            EXPECT_TRUE(label->isEnabled());
        } else if (label->text() == "Size") {
            EXPECT_FALSE(label->isEnabled());
        }
    }
    dialog.toggleSubsShape(false);
    EXPECT_FALSE(box(dialog, "sbxSubsRadius")->isEnabled());
    EXPECT_TRUE(box(dialog, "sbxSubsWidth")->isEnabled());
}

TEST(CreateSubstrateDialog, TabOrderRunsFromMaterialToButtons)
{
    CreateSubstrateDialog dialog;
    const char *const order[] = {"cbxFilm", "sbxSubsWidth", "sbxSubsLength", "sbxSubsHeight", "sbxSubsX",
                                 "sbxSubsY", "sbxSubsZ", "cbxSubsSphere", "sbxSubsRadius", "sbxSubsCenterX",
                                 "sbxSubsCenterY", "sbxSubsCenterZ", "buttonBox"};
    for (std::size_t i = 0; i + 1 < sizeof order / sizeof *order; ++i) {
        QWidget *from = dialog.findChild<QWidget *>(order[i]);
        ASSERT_TRUE(from) << order[i];
        // Skip the inner widgets of composite ones (the spin box's editor).
        QWidget *next = from->nextInFocusChain();
        while (from->isAncestorOf(next))
            next = next->nextInFocusChain();
        // The button box takes focus through its first button.
        if (next->parentWidget() && next->parentWidget()->objectName() == "buttonBox")
            next = next->parentWidget();
        EXPECT_EQ(next->objectName().toStdString(), order[i + 1]) << "after " << order[i];
    }
}

namespace {

class CreateSubstrateFlowTest : public ::testing::Test
{
protected:
    CreateSubstrateFlowTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<Ui::OperationFactory>(&context, nullptr));
    }

    Core::Operations::OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
};

} // namespace

TEST_F(CreateSubstrateFlowTest, AcceptedDialogCreatesTheVolume)
{
    TestSupport::whenModal<CreateSubstrateDialog>([](CreateSubstrateDialog *dialog) {
        EXPECT_EQ(dialog->findChild<QComboBox *>("cbxFilm")->count(), 15) << "the material catalogue";
        dialog->findChild<QSpinBox *>("sbxTotalWidth")->setValue(20);
        dialog->findChild<QSpinBox *>("sbxTotalLength")->setValue(10);
        dialog->findChild<QSpinBox *>("sbxTotalHeight")->setValue(8);
        dialog->findChild<QSpinBox *>("sbxSubsHeight")->setValue(3);
        dialog->findChild<QDoubleSpinBox *>("dblVolumeX")->setValue(-4.5);
        dialog->accept();
    });
    context.startOperation(Core::Operations::CreateSubstrateId);

    EXPECT_EQ(lines->lines, std::vector<std::string>{"Create Substrate: substrate created successfully."});
    const auto objects = context.document().allObjects();
    ASSERT_EQ(objects.size(), 1u);
    auto volume = boost::dynamic_pointer_cast<Model::Automaton::TotalVolume>(objects[0]);
    ASSERT_TRUE(volume);
    EXPECT_EQ(volume->sizeX(), 20u);
    EXPECT_EQ(volume->sizeZ(), 8u);
    EXPECT_EQ(volume->position(), Util::Vector3D(-4.5, 0, 0));
    const auto materials = volume->materials();
    EXPECT_EQ(materials[volume->cellIndex(19, 9, 2)], 1u) << "Si, the first catalogue entry";
    EXPECT_EQ(materials[volume->cellIndex(19, 9, 3)], 0u);
}

TEST_F(CreateSubstrateFlowTest, RejectedDialogAddsNothingAndSaysNothing)
{
    TestSupport::whenModal<CreateSubstrateDialog>([](CreateSubstrateDialog *dialog) { dialog->reject(); });
    context.startOperation(Core::Operations::CreateSubstrateId);
    EXPECT_TRUE(lines->lines.empty());
    EXPECT_TRUE(context.document().allObjects().empty());
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(context.history().undoCount(), 0u);
}

TEST_F(CreateSubstrateFlowTest, SphereFromTheDialog)
{
    TestSupport::whenModal<CreateSubstrateDialog>([](CreateSubstrateDialog *dialog) {
        dialog->findChild<QSpinBox *>("sbxTotalWidth")->setValue(4);
        dialog->findChild<QSpinBox *>("sbxTotalLength")->setValue(4);
        dialog->findChild<QSpinBox *>("sbxTotalHeight")->setValue(4);
        dialog->findChild<QCheckBox *>("cbxSubsSphere")->setChecked(true);
        dialog->findChild<QSpinBox *>("sbxSubsRadius")->setValue(1);
        dialog->accept();
    });
    context.startOperation(Core::Operations::CreateSubstrateId);
    auto volume = boost::dynamic_pointer_cast<Model::Automaton::TotalVolume>(context.document().allObjects().at(0));
    std::size_t filled = 0;
    for (std::uint32_t m : volume->materials())
        filled += m != 0;
    EXPECT_EQ(filled, 4u);
}
