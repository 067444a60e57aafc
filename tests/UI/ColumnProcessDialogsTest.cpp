// The option dialogs of the Moore steps, planarization, spin coating and
// simple RIE: their fields, and the runs (or cancels) they lead to.
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"
#include "UI/OperationFactory.h"
#include "UI/Operations/MooreOptionsDialog.h"
#include "UI/Operations/PlanarizationOptionsDialog.h"
#include "UI/Operations/SimpleRIEDialog.h"
#include "UI/Operations/SpinCoatingOptionsDialog.h"

#include "FilledVolume.h"
#include "ModalDriver.h"
#include "RecordingOperation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace Ui::Operations;
using namespace Core::Operations;
using Column = std::vector<std::uint32_t>;

namespace {

constexpr std::uint32_t Si = 1, Oxide = 3;

bool hasLabel(const QWidget &dialog, const QString &text)
{
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        if (label->text() == text)
            return true;
    return false;
}

void expectRange(const QSpinBox *box, int minimum, int maximum, int value, const char *suffix)
{
    ASSERT_TRUE(box);
    EXPECT_EQ(box->minimum(), minimum) << box->objectName().toStdString();
    EXPECT_EQ(box->maximum(), maximum) << box->objectName().toStdString();
    EXPECT_EQ(box->value(), value) << box->objectName().toStdString();
    EXPECT_EQ(box->suffix(), suffix) << box->objectName().toStdString();
}

// A 6 x 6 x 8 volume, silicon up to z 2, alone in its document.
class ColumnProcessFlowTest : public ::testing::Test
{
protected:
    ColumnProcessFlowTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<Ui::OperationFactory>(&context, nullptr));
        volume = TestSupport::filledVolume(6, 6, 8, [](unsigned, unsigned, unsigned z) { return z < 3 ? Si : 0u; });
        context.document().addObject(volume);
    }

    Column column() { return TestSupport::columnOf(*volume, 2, 3); }

    Core::Operations::OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
    boost::shared_ptr<Model::Automaton::TotalVolume> volume;
};

} // namespace

TEST(ColumnProcessDialogs, FieldsRangesAndDefaults)
{
    MooreOptionsDialog moore;
    EXPECT_EQ(moore.windowTitle(), "Operation Options");
    EXPECT_EQ(moore.size(), QSize(369, 223));
    expectRange(moore.findChild<QSpinBox *>("sbxSteps"), 1, 999999999, 1, " cells");
    EXPECT_TRUE(hasLabel(moore, "Select Value"));
    EXPECT_TRUE(hasLabel(moore, "Select Film"));
    moore.setValueLabel("Etch Depth");
    EXPECT_TRUE(hasLabel(moore, "Etch Depth"));

    SpinCoatingOptionsDialog coating;
    EXPECT_EQ(coating.windowTitle(), "Pour Material Options");
    EXPECT_EQ(coating.size(), QSize(207, 190));
    expectRange(coating.findChild<QSpinBox *>("sbxHeight"), 0, 999999999, 0, " cells");
    coating.limitToHeight(12);
    coating.setHeight(40);
    EXPECT_EQ(coating.height(), 12) << "no higher than the volume";

    SimpleRIEDialog rie;
    EXPECT_EQ(rie.windowTitle(), "Simple RIE Options");
    EXPECT_EQ(rie.size(), QSize(400, 280));
    EXPECT_EQ(rie.minimumSize(), rie.maximumSize()) << "fixed size";
    expectRange(rie.findChild<QSpinBox *>("sbxDepth"), 1, 999999999, 1, " units");
    EXPECT_TRUE(hasLabel(rie, "Select Material"));
    EXPECT_FALSE(rie.fromBelow());
    EXPECT_TRUE(rie.fromTop());
    EXPECT_EQ(rie.findChild<QCheckBox *>("chkFromBelow")->text(), "Etch from below");
}

TEST(ColumnProcessDialogs, PlanarizationMinimumFollowsTheMaximum)
{
    PlanarizationOptionsDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Planarization Options");
    EXPECT_EQ(dialog.size(), QSize(400, 190));
    auto *minimum = dialog.findChild<QSpinBox *>("sbxMinimumHeight");
    auto *maximum = dialog.findChild<QSpinBox *>("sbxMaximumHeight");
    expectRange(minimum, 0, 999999999, 0, " cells");
    ASSERT_TRUE(maximum);
    EXPECT_EQ(maximum->maximum(), 999999999);
    EXPECT_EQ(minimum->toolTip(), "All cells below this height will be removed.");
    EXPECT_EQ(maximum->toolTip(), "All cells above this height will be removed.");

    dialog.limitToHeight(20);
    EXPECT_EQ(maximum->maximum(), 20);
    EXPECT_EQ(maximum->value(), 20) << "nothing removed from the top at first";
    minimum->setValue(15);
    maximum->setValue(9);
    EXPECT_EQ(minimum->maximum(), 9);
    EXPECT_EQ(dialog.minimumHeight(), 9) << "the minimum never above the maximum";
    maximum->setValue(18);
    minimum->setValue(16);
    EXPECT_EQ(dialog.minimumHeight(), 16);
}

TEST_F(ColumnProcessFlowTest, AcceptedOptionsRunEachStep)
{
    TestSupport::whenModal<MooreOptionsDialog>([](MooreOptionsDialog *dialog) {
        EXPECT_TRUE(hasLabel(*dialog, "Film Thickness"));
        dialog->setSteps(2);
        dialog->findChild<QComboBox *>("cbxMaterial")->setCurrentIndex(1); // oxide
        dialog->accept();
    });
    context.startOperation(MooreDepositionId);
    EXPECT_EQ(lines->lines.back(), "Moore film deposition: Operation finished.");
    EXPECT_EQ(column(), (Column{Si, Si, Si, Oxide, Oxide, 0, 0, 0}));

    TestSupport::whenModal<MooreOptionsDialog>([](MooreOptionsDialog *dialog) {
        EXPECT_TRUE(hasLabel(*dialog, "Etch Depth"));
        dialog->findChild<QComboBox *>("cbxMaterial")->setCurrentIndex(1);
        dialog->accept();
    });
    context.startOperation(MooreEtchingId);
    EXPECT_EQ(column(), (Column{Si, Si, Si, Oxide, 0, 0, 0, 0}));

    TestSupport::whenModal<SpinCoatingOptionsDialog>([](SpinCoatingOptionsDialog *dialog) {
        dialog->setHeight(6);
        dialog->findChild<QComboBox *>("cbxMaterial")->setCurrentIndex(9); // positive photoresist
        dialog->accept();
    });
    context.startOperation(SpinCoatingId);
    EXPECT_EQ(lines->lines.back(), "Spin Coating: Operation finished.");
    EXPECT_EQ(column(), (Column{Si, Si, Si, Oxide, 11, 11, 0, 0}));

    TestSupport::whenModal<SimpleRIEDialog>([](SimpleRIEDialog *dialog) {
        dialog->findChild<QSpinBox *>("sbxDepth")->setValue(2);
        dialog->findChild<QComboBox *>("cbxMaterial")->setCurrentIndex(9);
        dialog->accept();
    });
    context.startOperation(SimpleReactiveIonEtchingId);
    EXPECT_EQ(lines->lines.back(), "Simple RIE: Operation finished.");
    EXPECT_EQ(column(), (Column{Si, Si, Si, Oxide, 0, 0, 0, 0}));

    TestSupport::whenModal<PlanarizationOptionsDialog>([](PlanarizationOptionsDialog *dialog) {
        EXPECT_EQ(dialog->maximumHeight(), 8) << "the volume's height";
        dialog->findChild<QSpinBox *>("sbxMinimumHeight")->setValue(1);
        dialog->findChild<QSpinBox *>("sbxMaximumHeight")->setValue(3);
        dialog->accept();
    });
    context.startOperation(PlanarizationId);
    EXPECT_EQ(lines->lines.back(), "Planarization: Operation finished.");
    EXPECT_EQ(column(), (Column{0, Si, Si, 0, 0, 0, 0, 0}));
    EXPECT_EQ(context.history().undoCount(), 5u);
    EXPECT_FALSE(context.currentOperation());
}

TEST_F(ColumnProcessFlowTest, RejectedOptionsCancelTheStep)
{
    const auto before = volume->materials();
    struct Case
    {
        unsigned id;
        std::function<void()> reject;
        const char *line;
    };
    const Case cases[] = {
        {MooreDepositionId, [] { TestSupport::whenModal<MooreOptionsDialog>([](MooreOptionsDialog *d) { d->reject(); }); },
         "Moore film deposition: Operation canceled."},
        {MooreEtchingId, [] { TestSupport::whenModal<MooreOptionsDialog>([](MooreOptionsDialog *d) { d->reject(); }); },
         "Moore film etching: Operation canceled."},
        {PlanarizationId,
         [] { TestSupport::whenModal<PlanarizationOptionsDialog>([](PlanarizationOptionsDialog *d) { d->reject(); }); },
         "Planarization: Operation canceled!"},
        {SpinCoatingId,
         [] { TestSupport::whenModal<SpinCoatingOptionsDialog>([](SpinCoatingOptionsDialog *d) { d->reject(); }); },
         "Spin Coating: Operation canceled."},
        {SimpleReactiveIonEtchingId,
         [] { TestSupport::whenModal<SimpleRIEDialog>([](SimpleRIEDialog *d) { d->reject(); }); },
         "Simple RIE: Operation canceled."},
    };
    for (const Case &c : cases) {
        c.reject();
        context.startOperation(c.id);
        EXPECT_EQ(lines->lines.back(), c.line);
        EXPECT_FALSE(context.currentOperation()) << c.line;
    }
    EXPECT_EQ(volume->materials(), before);
    EXPECT_EQ(context.history().undoCount(), 0u);
}
