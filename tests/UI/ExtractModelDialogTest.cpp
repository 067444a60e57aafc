// The window of "Extract Model" driven as a user would: the steps enable
// one another in turn, the netlist is saved where the user chooses (or a
// message says why not), and closing or canceling ends the extraction with
// the view as it was.
#include "Core/Operations/ModelExtraction/RunModelExtraction.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"
#include "UI/OperationFactory.h"
#include "UI/Operations/ExtractModelDialog.h"

#include "AnchoredBeam.h"
#include "ModalDriver.h"
#include "RecordingOperation.h"
#include "TempFolder.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

using Core::Operations::RunModelExtraction;
using Ui::Operations::ExtractModelDialog;
using TestSupport::TempFolder;

namespace {

class ExtractModelDialogTest : public ::testing::Test
{
protected:
    ExtractModelDialogTest() : lines(TestSupport::ConsoleLog::attach(context))
    {
        context.setOperationFactory(boost::make_shared<Ui::OperationFactory>(&context, nullptr));
    }

    ExtractModelDialog *open(bool withBeam)
    {
        volume = boost::make_shared<Model::Automaton::TotalVolume>(20, 5, 6, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                                   TestSupport::anchoredBeam(withBeam));
        context.document().addObject(volume);
        context.startOperation(Core::Operations::ModelExtractionId);
        context.selectionManager().toggle({volume->id()});
        context.consoleInput().processLine("");
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<ExtractModelDialog *>(widget))
                if (dialog->isVisible())
                    return dialog;
        return nullptr;
    }

    // Answers the next message box and keeps its title and text.
    void answerMessageBox()
    {
        TestSupport::whenModal<QMessageBox>([this](QMessageBox *box) {
            boxTitle = box->windowTitle();
            boxText = box->text();
            box->accept();
        });
    }

    Core::Operations::OperationContext context;
    boost::shared_ptr<TestSupport::ConsoleLog> lines;
    boost::shared_ptr<Model::Automaton::TotalVolume> volume;
    QString boxTitle, boxText;
};

} // namespace

TEST_F(ExtractModelDialogTest, StepsRunInTurnAndTheNetlistGoesWhereTheUserChooses)
{
    QPointer<ExtractModelDialog> dialog = open(true);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Extract Model");
    EXPECT_FALSE(dialog->isModal());
    EXPECT_TRUE(dialog->stepOneButton()->isEnabled());
    EXPECT_FALSE(dialog->stepTwoButton()->isEnabled());
    EXPECT_FALSE(dialog->stepThreeButton()->isEnabled());

    dialog->stepOneButton()->click();
    EXPECT_FALSE(dialog->stepOneButton()->isEnabled());
    EXPECT_TRUE(dialog->stepTwoButton()->isEnabled());
    EXPECT_EQ(context.document().allObjects().size(), 2u);
    dialog->stepTwoButton()->click();
    EXPECT_FALSE(dialog->stepTwoButton()->isEnabled());
    EXPECT_TRUE(dialog->stepThreeButton()->isEnabled());
    EXPECT_EQ(context.document().allObjects().size(), 3u);

    TempFolder temp;
    const QString path = temp.file("beam.cir");
    QString offered;
    dialog->setFileChooser([&](QWidget *, const QString &start) {
        offered = start;
        return path;
    });
    dialog->stepThreeButton()->click();
    const QByteArray written = TempFolder::read(path);
    EXPECT_TRUE(written.startsWith("Model extracted by Tessival\n")) << written.toStdString();
    EXPECT_TRUE(written.contains("\nc1 1 0 ")) << written.toStdString();
    EXPECT_TRUE(dialog->stepThreeButton()->isEnabled()) << "can save again";
    // The next save starts where this one went; a canceled choice writes nothing.
    dialog->setFileChooser([&](QWidget *, const QString &start) {
        offered = start;
        return QString();
    });
    dialog->stepThreeButton()->click();
    EXPECT_EQ(offered, path);

    // An unwritable file is named, and the extraction stays open.
    dialog->setFileChooser([&](QWidget *, const QString &) { return temp.file("missing/beam.cir"); });
    answerMessageBox();
    dialog->stepThreeButton()->click();
    EXPECT_EQ(boxTitle, "File Error");
    EXPECT_EQ(boxText, "Unable to save to selected file!");
    ASSERT_TRUE(dialog && dialog->isVisible());

    dialog->close();
    QApplication::processEvents();
    EXPECT_EQ(lines->lines.back(), "Model Extraction: Model extracted.");
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(context.document().allObjects().size(), 1u);
    EXPECT_FALSE(volume->painter().isPaintingSuspended());
}

TEST_F(ExtractModelDialogTest, NothingFoundSaysSoAndCancelClosesTheWindow)
{
    QPointer<ExtractModelDialog> dialog = open(false);
    ASSERT_TRUE(dialog);
    dialog->stepOneButton()->click();
    dialog->stepTwoButton()->click();
    EXPECT_EQ(context.document().allObjects().size(), 2u) << "no cantilevers to show";
    bool asked = false;
    dialog->setFileChooser([&](QWidget *, const QString &) {
        asked = true;
        return QString();
    });
    answerMessageBox();
    dialog->stepThreeButton()->click();
    EXPECT_EQ(boxTitle, "No model data");
    EXPECT_EQ(boxText, "No model data was extracted.");
    EXPECT_FALSE(asked);

    const std::size_t before = lines->lines.size();
    context.cancelCurrentOperation();
    QApplication::processEvents();
    EXPECT_TRUE(!dialog || !dialog->isVisible());
    EXPECT_FALSE(context.currentOperation());
    EXPECT_EQ(lines->lines.size(), before) << "canceled without a word";
    EXPECT_EQ(context.document().allObjects().size(), 1u);
    EXPECT_FALSE(volume->painter().isPaintingSuspended());
}

// The box writes the beams as a subcircuit named after the file, for a
// larger circuit to include; names a circuit cannot hold are made fit.
TEST_F(ExtractModelDialogTest, TheSubcircuitBoxWritesASubcircuitNamedAfterTheFile)
{
    EXPECT_EQ(ExtractModelDialog::subcircuitName("/tmp/beam 2.cir"), "beam_2");
    EXPECT_EQ(ExtractModelDialog::subcircuitName("/tmp/2beams.cir"), "_2beams");
    EXPECT_EQ(ExtractModelDialog::subcircuitName(QString::fromUtf8("/tmp/träger.cir")), "tr_ger");

    QPointer<ExtractModelDialog> dialog = open(true);
    ASSERT_TRUE(dialog);
    dialog->stepOneButton()->click();
    dialog->stepTwoButton()->click();
    TempFolder temp;
    const QString path = temp.file("my beams.cir");
    dialog->setFileChooser([&](QWidget *, const QString &) { return path; });
    dialog->subcircuitBox()->setChecked(true);
    dialog->stepThreeButton()->click();
    const QByteArray written = TempFolder::read(path);
    EXPECT_TRUE(written.contains("\n.subckt my_beams 1\n")) << written.toStdString();
    EXPECT_TRUE(written.endsWith(".ends my_beams\n")) << written.toStdString();
    EXPECT_FALSE(written.contains(".end \n"));
    dialog->close();
    QApplication::processEvents();
}
