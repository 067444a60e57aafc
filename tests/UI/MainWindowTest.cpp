// The program's main window under a real display (Xvfb with Mesa in CI):
// its menus and actions, the presenter's wiring, and the OpenGL view with
// real picking and screenshots.
#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/Documents/DocumentRecovery.h"
#include "Core/Operations/Documents/OpenDocumentOperation.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/ColourScheme.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/Console/CommandConsole.h"
#include "UI/GLWidget.h"
#include "UI/Input/ChangeColorsDialog.h"
#include "UI/Input/ChangeGridSpacingDialog.h"
#include "UI/MainWindow.h"
#include "UI/MainWindowPresenter.h"
#include "UI/BatchRun/RunProcessesDialog.h"
#include "UI/ManageMaterialsDialog.h"
#include "UI/MaterialTableViewItem.h"
#include "UI/Observers/DocumentOpenedObserver.h"
#include "UI/Operations/BCAEtchingDialog.h"
#include "UI/Operations/ChangeVolumeVisualizationDialog.h"
#include "UI/Operations/CreateSubstrateDialog.h"
#include "UI/Operations/IsotropicDepositionDialog.h"
#include "UI/Operations/MooreOptionsDialog.h"
#include "UI/Operations/PlanarizationOptionsDialog.h"
#include "UI/Operations/SimpleRIEDialog.h"
#include "UI/Operations/SpinCoatingOptionsDialog.h"
#include "Model/Materials/MaterialFactory.h"
#include "UI/View/MaterialLegend.h"
#include "UI/View/SceneView.h"
#include "UI/View/ViewFraming.h"
#include "UI/ViewProperties.h"
#include "UI/WindowCascade.h"

#include "RecordingOperation.h"
#include "BlockedStateFolder.h"
#include "ModalDriver.h"
#include "TempFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QApplication>
#include <QColorDialog>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <cmath>
#include <functional>

using Ui::GLWidget;
using Ui::MainWindow;

namespace {

class MainWindowTest : public ::testing::Test
{
protected:
    MainWindowTest() : window(new MainWindow)
    {
        window->resize(800, 600);
        window->show();
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        view = window->view();
    }

    ~MainWindowTest() override
    {
        delete window;
        Model::ColourScheme::restoreDefaults();
    }

    Core::Operations::OperationContext &context() { return window->presenter()->context(); }

    // The default substrate (100 x 100 x 80 cells at the origin), created
    // through the menu action and its dialog.
    boost::shared_ptr<Model::Automaton::TotalVolume> createSubstrate()
    {
        TestSupport::whenModal<Ui::Operations::CreateSubstrateDialog>(
            [](Ui::Operations::CreateSubstrateDialog *dialog) { dialog->accept(); });
        window->action("actionCreate_Substrate")->trigger();
        const auto objects = context().document().allObjects();
        return objects.empty() ? nullptr
                               : boost::dynamic_pointer_cast<Model::Automaton::TotalVolume>(objects.back());
    }

    // Where a world point appears in the view, in widget pixels.
    QPoint onScreen(float x, float y, float z) const { return onScreenOf(view, x, y, z); }

    static QPoint onScreenOf(const GLWidget *shown, double x, double y, double z)
    {
        const auto m = shown->viewTransform().modelview();
        const double ex = m[0] * x + m[4] * y + m[8] * z + m[12];
        const double ey = m[1] * x + m[5] * y + m[9] * z + m[13];
        return QPoint(int(std::lround(shown->width() / 2.0 + ex * shown->zoom())),
                      int(std::lround(shown->height() / 2.0 - ey * shown->zoom())));
    }

    // True when the box around every volume of the view's document lies
    // inside the view and spans at least 80 % of it along one axis.
    static ::testing::AssertionResult showsAllVolumesFitted(const GLWidget *shown,
                                                            Core::Operations::OperationContext &of)
    {
        Ui::ViewFraming::Box box;
        if (!Ui::ViewFraming::cellVolumeBounds(of.document().allObjects(), box))
            return ::testing::AssertionFailure() << "no volume";
        QRect covered;
        for (int corner = 0; corner < 8; ++corner) {
            const QPoint p = onScreenOf(shown, corner & 1 ? box.upper[0] : box.lower[0],
                                        corner & 2 ? box.upper[1] : box.lower[1],
                                        corner & 4 ? box.upper[2] : box.lower[2]);
            covered |= QRect(p, QSize(1, 1));
        }
        const QRect inside = shown->rect().adjusted(-1, -1, 1, 1);
        const double fill = std::max(double(covered.width()) / shown->width(),
                                     double(covered.height()) / shown->height());
        if (!inside.contains(covered) || fill < 0.8)
            return ::testing::AssertionFailure() << "the volumes cover " << covered.x() << "," << covered.y() << " "
                                                 << covered.width() << "x" << covered.height() << " of "
                                                 << shown->width() << "x" << shown->height();
        return ::testing::AssertionSuccess();
    }

    void addVolume(unsigned size, const Util::Vector3D &at, std::uint32_t material = 1)
    {
        auto volume = boost::make_shared<Model::Automaton::TotalVolume>(
            size, size, size, 1.0f, 1.0f, 1.0f, at, std::vector<std::uint32_t>(std::size_t(size) * size * size,
                                                                              material));
        context().document().addObject(volume);
    }

    void sendMouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(type, at, view->mapToGlobal(at), button, held, modifiers);
        QApplication::sendEvent(view, &event);
    }

    void wheel(int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QPoint centre(view->width() / 2, view->height() / 2);
        QWheelEvent event(centre, view->mapToGlobal(centre), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &event);
    }

    QString consoleLog() const { return window->presenter()->console()->log()->toPlainText(); }

    MainWindow *window;
    GLWidget *view;
};

// Chooses `path` in the next file dialog. selectFile() leaves the name
// field alone while that has the focus, so the name is also typed there.
void chooseFile(const QString &path)
{
    TestSupport::whenModal<QFileDialog>([path](QFileDialog *dialog) {
        dialog->selectFile(path);
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        static_cast<QDialog *>(dialog)->accept();
    });
}

QStringList actionTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

TEST_F(MainWindowTest, StartsWithItsTitleMenusAndActionStates)
{
    EXPECT_EQ(window->windowTitle(), "Tessival");
    QStringList menus;
    for (QAction *entry : window->menuBar()->actions())
        menus << entry->text();
    EXPECT_EQ(menus, (QStringList{"File", "Edit", "Simulation", "Materials", "Rendering", "View", "Windows", "About"}));

    const QList<QAction *> entries = window->menuBar()->actions();
    const QStringList expected[] = {
        {"New", "Open", "Save", "Save As ...", "-", "Document Units…", "-", "Export…", "-", "Save Image",
         "Save Cross-Section…", "-", "Exit"},
        {"Undo", "Redo", "-", "Select", "Copy", "Move", "Delete", "-", "Grid", "Snap to Grid", "Grid Spacing"},
        {"Create Substrate", "-", "Doping", "Electroplating", "Ion Implantation", "PVD", "CVD", "Isotropic Etching",
         "Moore Deposition", "Moore Etching", "Photolithography", "Planarization", "Si Oxidation", "Si Wet Etching",
         "Si Wet Etching (CCA)", "Simple RIE", "Pour Material", "-", "Extract Film", "Glue Substrate", "-",
         "Batch Run", "-", "Model Extraction"},
        {"Manage Materials", "Manage Compatible Materials"},
        {"Render Objects", "Lighting", "Render Object Edges", "-", "Change Cell Volume Viewing Options",
         "Cut Cell Volume", "-", "Configure Window Colors"},
        {"Front View", "Back View", "Bottom View", "Top View", "Right View", "Left View", "-", "Fit to Volume", "-",
         "Show Axis", "Show Legend", "-", "Set View", "Set Lighting"},
        {"Console"},
        {"About Tessival"},
    };
    for (int i = 0; i < entries.size(); ++i)
        EXPECT_EQ(actionTexts(entries[i]->menu()), expected[i]) << menus[i].toStdString();

    EXPECT_FALSE(window->undoAction()->isEnabled());
    EXPECT_FALSE(window->redoAction()->isEnabled());
    EXPECT_TRUE(window->action("actionConsole")->isChecked());
    EXPECT_TRUE(window->presenter()->console()->isVisible());
    QAction *extraction = window->action("actionModel_Extraction");
    ASSERT_TRUE(extraction);
    EXPECT_TRUE(extraction->isEnabled()) << "a window user reaches the model extraction";
    EXPECT_EQ(window->action("actionOpen")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(window->action("actionDoping")->statusTip(), "Simulate P and N type doping of Si substrates.");
    EXPECT_EQ(window->action("actionCVD")->statusTip(), "Run an isotropic film deposition simulation.");
}

TEST_F(MainWindowTest, UndoAndRedoActionsFollowTheHistory)
{
    createSubstrate();
    EXPECT_EQ(window->undoAction()->text(), "Undo Create Substrate");
    EXPECT_TRUE(window->undoAction()->isEnabled());
    window->undoAction()->trigger();
    EXPECT_FALSE(window->undoAction()->isEnabled());
    EXPECT_EQ(window->redoAction()->text(), "Redo Create Substrate");
    EXPECT_TRUE(context().document().allObjects().empty());
    window->redoAction()->trigger();
    EXPECT_EQ(context().document().allObjects().size(), 1u);
}

TEST_F(MainWindowTest, ViewZoomsByATenthPerWheelStep)
{
    wheel(120);
    EXPECT_NEAR(view->zoom(), 1.1f, 1e-6);
    EXPECT_EQ(window->statusBar()->currentMessage(), "Zoom = 110%");
    wheel(-120);
    EXPECT_NEAR(view->zoom(), 1.0f, 1e-6);
}

TEST_F(MainWindowTest, LampKeysAndShiftWheel)
{
    view->lamps().setCount(2);
    QTest::keyClick(view, Qt::Key_L);
    EXPECT_EQ(view->lamps().activeLamp(), 2u);
    QTest::keyClick(view, Qt::Key_L);
    EXPECT_EQ(view->lamps().activeLamp(), 0u);
    wheel(120, Qt::ShiftModifier);
    EXPECT_EQ(view->lamps().radius(1), 300.0f) << "no active lamp: nothing changes";
    QTest::keyClick(view, Qt::Key_L);
    EXPECT_EQ(view->lamps().activeLamp(), 1u);

    view->lamps().setRadius(1, 0.5f);
    wheel(120, Qt::ShiftModifier);
    EXPECT_EQ(view->lamps().radius(1), 2.0f);
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("Lamp 1 Position : Radius = 2 Angle θ = "));
}

TEST_F(MainWindowTest, TranslateKeysMoveTheModel)
{
    QTest::keyClick(view, Qt::Key_Q);
    QTest::keyClick(view, Qt::Key_S);
    EXPECT_EQ(view->viewTransform().displacement(), (std::array<float, 3>{5, -5, 0}));
    EXPECT_EQ(window->statusBar()->currentMessage(),
              QString::fromUtf8("Volume position in relation to the axes: X = 13.575 µm Y = -13.575 µm Z = 0 µm"))
        << "in the document's unit";
}

TEST_F(MainWindowTest, ResizeSetsDepthAndGrid)
{
    view->resize(800, 600);
    QApplication::processEvents();
    view->updateGL();
    EXPECT_EQ(view->width(), 800);
    EXPECT_EQ(view->depthExtent(), 1131.0f);
    EXPECT_EQ(view->grid().minX, -300.0f);
    EXPECT_EQ(view->grid().maxY, 300.0f);
}

TEST_F(MainWindowTest, StandardViewsAndStatusTexts)
{
    window->action("actionFront_View")->trigger();
    EXPECT_EQ(view->viewTransform().angles(), (std::array<float, 3>{-90, 0, 0}));
    EXPECT_EQ(window->statusBar()->currentMessage(), "Rotation angles: X Axis = -90 Y Axis = 0 Z axis = 0");
    window->action("actionBack_view")->trigger();
    EXPECT_EQ(view->viewTransform().angles(), (std::array<float, 3>{-90, 0, 180}));
    window->setView("right");
    EXPECT_EQ(view->viewTransform().angles(), (std::array<float, 3>{-90, 0, -90}));
    window->action("actionManual_View")->trigger();
    EXPECT_EQ(view->viewTransform().angles(), (std::array<float, 3>{-90, 0, -90})) << "manual changes nothing";
    window->changeViewPostionValue_statusBar({1.5f, -2});
    context().document().setLengthUnit(Model::LengthUnit(1e-3));
    window->changeViewPostionValue_statusBar({1.5f, -2});
    EXPECT_EQ(window->statusBar()->currentMessage(), "Volume position in relation to the screen: X = 1.5 mm Y = -2 mm");
}

TEST_F(MainWindowTest, ClickWithoutDragTogglesTheSelection)
{
    const auto volume = createSubstrate();
    context().selectionManager().setMode(true);
    EXPECT_TRUE(window->action("actionSelect")->isChecked());
    const QPoint centre = onScreen(50, 50, 40);

    sendMouse(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(volume->isSelected());
    ASSERT_EQ(context().pickInput().selectedObjects().size(), 1u);

    sendMouse(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(volume->isSelected()) << "a second click deselects";

    sendMouse(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseMove, centre + QPoint(3, 0), Qt::NoButton, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, centre + QPoint(3, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(volume->isSelected()) << "a drag turns the view and picks nothing";

    const QPoint corner(2, 2);
    sendMouse(QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, corner, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(volume->isSelected()) << "a click beside the volume hits nothing";
}

TEST(GLWidgetOnAContext, ShowsTheDocumentAndPicksThroughTheSelectionWithoutAWindow)
{
    Core::Operations::OperationContext context;
    const auto volume = boost::make_shared<Model::Automaton::TotalVolume>(
        20, 20, 20, 1.0f, 1.0f, 1.0f, Util::Vector3D(), std::vector<std::uint32_t>(20 * 20 * 20, 1));
    context.document().addObject(volume);
    GLWidget view(nullptr, &context);
    view.resize(300, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(view.fitToVolumes());
    view.updateGL();
    const Ui::VolumeRenderState *state = view.volumeStates().find(volume->id());
    ASSERT_TRUE(state);
    EXPECT_TRUE(state->isBuilt());

    context.selectionManager().setMode(true);
    const QPoint centre(150, 150);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, centre, view.mapToGlobal(centre), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }
    EXPECT_TRUE(volume->isSelected());
    EXPECT_EQ(context.pickInput().selectedObjects().size(), 1u);
}

TEST_F(MainWindowTest, CreatedSubstrateShowsInItsColour)
{
    createSubstrate();
    view->updateGL();
    TestSupport::TempFolder temp;
    ASSERT_TRUE(view->saveImage(temp.file("substrate.png")));
    const QImage shot(temp.file("substrate.png"));
    const QColor top = shot.pixelColor(onScreen(50, 50, 30));
    const QColor beside = shot.pixelColor(5, view->height() - 5);
    EXPECT_EQ(beside, QColor(0, 0, 0)) << "the background of the default scheme";
    // Si is grey: lit, its channels stay equal, and it is not the background.
    EXPECT_GT(top.red(), 40);
    EXPECT_NEAR(top.red(), top.green(), 2);
    EXPECT_NEAR(top.green(), top.blue(), 2);

    context().selectionManager().setMode(true);
    context().selectionManager().toggle({context().document().allObjects().front()->id()});
    view->updateGL();
    ASSERT_TRUE(view->saveImage(temp.file("selected.png")));
    const QColor selected = QImage(temp.file("selected.png")).pixelColor(onScreen(50, 50, 30));
    EXPECT_NE(selected, top) << "a selected volume is drawn in shifted colours";
}

TEST_F(MainWindowTest, ClickOutsideSelectionModePicksNothing)
{
    const auto volume = createSubstrate();
    const QPoint centre = onScreen(50, 50, 40);
    sendMouse(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    sendMouse(QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(volume->isSelected());
}

TEST_F(MainWindowTest, EscapeCancelsAndEnterReachesTheConsoleInput)
{
    context().startOperation(Core::Operations::DeleteObjectId);
    EXPECT_TRUE(consoleLog().contains("Delete: Select the objects to be deleted and press Return/Enter"));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(context().currentOperation());
    EXPECT_TRUE(consoleLog().endsWith("Delete: Operation canceled."));

    std::vector<std::string> calls;
    auto waiting = boost::make_shared<TestSupport::RecordingOperation>(&context(), "Waiting", &calls);
    context().consoleInput().requestEnter(waiting.get());
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(calls, std::vector<std::string>{"Waiting.execute"});
    context().consoleInput().requestEnter(waiting.get());
    QTest::keyClick(view, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(MainWindowTest, SaveImageWritesThePictureOrNothing)
{
    TestSupport::TempFolder temp;
    const QString path = temp.file("view.png");
    view->updateGL();
    window->saveImage(path);
    QImage image(path);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), view->size());

    TestSupport::whenModal<QFileDialog>([](QFileDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Save Screen Image");
        dialog->reject();
    });
    const QStringList before = QDir(temp.path()).entryList(QDir::Files);
    EXPECT_FALSE(view->saveImage(QString()));
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), before);
}

TEST_F(MainWindowTest, ColoursDialogSwitchesSchemes)
{
    TestSupport::whenModal<Ui::Input::ChangeColorsDialog>([](Ui::Input::ChangeColorsDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Change Default Colors");
        dialog->findChild<QPushButton *>("btnLoadLowColors")->click();
        dialog->accept();
    });
    window->changeWindowColors();
    EXPECT_EQ(Model::ColourScheme::currentScheme(), 1);

    TestSupport::whenModal<Ui::Input::ChangeColorsDialog>([](Ui::Input::ChangeColorsDialog *dialog) {
        TestSupport::whenModal<QColorDialog>([](QColorDialog *chooser) {
            EXPECT_EQ(chooser->windowTitle(), "Select new color");
            chooser->setCurrentColor(QColor(0, 51, 102, 255));
            chooser->accept();
        });
        dialog->changeBgColor();
        EXPECT_EQ(dialog->findChild<QPushButton *>("btnBackgroundColor")->styleSheet(),
                  "background-color : #003366;\nborder: none;");
        dialog->accept();
    });
    window->changeWindowColors();
    EXPECT_EQ(Model::ColourScheme::currentScheme(), 2);
    const Util::Vector4D background = Model::ColourScheme::colour(Model::ColourScheme::BackgroundColour, 2);
    EXPECT_NEAR(background.y, 0.2, 1e-6);
    EXPECT_EQ(Model::ColourScheme::colour(Model::ColourScheme::ObjectColour, 2), Util::Vector4D(1, 1, 1, 1))
        << "the other colours of the low scheme carried into the custom one";
}

// New asks what closing asks, and only where something would be lost:
// Cancel keeps the document, Save saves it first, Discard drops it.
TEST_F(MainWindowTest, NewAsksToSaveUnsavedChangesAndNothingOtherwise)
{
    const auto question = [](QStringList *asked, QMessageBox::StandardButton answer) {
        TestSupport::whenModal<QMessageBox>([asked, answer](QMessageBox *box) {
            asked->push_back(box->windowTitle() + ": " + box->text());
            box->button(answer)->click();
        });
    };
    bool askedWhenUnchanged = false;
    QTimer::singleShot(0, [&askedWhenUnchanged] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            askedWhenUnchanged = true;
            box->button(QMessageBox::Cancel)->click();
        }
    });
    window->action("actionNew")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(askedWhenUnchanged) << "nothing to lose, nothing asked";

    createSubstrate();
    QStringList asked;
    question(&asked, QMessageBox::Cancel);
    window->action("actionNew")->trigger();
    EXPECT_EQ(asked, QStringList{"Unsaved changes: Save changes to this document?"});
    EXPECT_EQ(context().document().allObjects().size(), 1u);

    TestSupport::TempFolder temp;
    const QString path = temp.file("kept.cvx");
    question(&asked, QMessageBox::Save);
    chooseFile(path);
    window->action("actionNew")->trigger();
    EXPECT_EQ(asked.size(), 2);
    EXPECT_TRUE(context().document().allObjects().empty());
    EXPECT_EQ(TestSupport::TempFolder::read(path).count("<Object "), 1) << "saved before it was dropped";
    EXPECT_EQ(window->windowTitle(), "Tessival");

    createSubstrate();
    question(&asked, QMessageBox::Discard);
    window->action("actionNew")->trigger();
    EXPECT_EQ(asked.size(), 3);
    EXPECT_TRUE(context().document().allObjects().empty());
    EXPECT_FALSE(window->undoAction()->isEnabled());
}

TEST_F(MainWindowTest, GridSpacingDialogSetsTheSpacing)
{
    TestSupport::whenModal<Ui::Input::ChangeGridSpacingDialog>([](Ui::Input::ChangeGridSpacingDialog *dialog) {
        EXPECT_EQ(dialog->spacing(), 10.0);
        dialog->setSpacing(2.5);
        dialog->accept();
    });
    window->action("actionGrid_Spacing")->trigger();
    EXPECT_EQ(view->grid().spacing, 2.5f);
}

TEST_F(MainWindowTest, SaveTitlesTheWindowAndOpenShowsACopyInANewWindow)
{
    createSubstrate();
    TestSupport::TempFolder temp;
    const QString path = temp.file("wafer.cvx");
    TestSupport::whenModal<QFileDialog>([&path](QFileDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Choose location");
        EXPECT_TRUE(dialog->nameFilters().contains("Tessival file (*.cvx)"));
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    window->action("actionSave")->trigger();
    EXPECT_EQ(window->windowTitle(), "Tessival  " + path);

    TestSupport::whenModal<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    window->action("actionSave_as")->trigger();
    EXPECT_EQ(window->windowTitle(), "Tessival  " + path) << "a dismissed save-as changes nothing";

    const QString copy = temp.file("copy.cvx");
    ASSERT_TRUE(QFile::copy(path, copy));
    TestSupport::whenModal<QFileDialog>([&copy](QFileDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Choose file");
        dialog->selectFile(copy);
        static_cast<QDialog *>(dialog)->accept();
    });
    window->action("actionOpen")->trigger();
    QPointer<MainWindow> opened = Ui::Observers::DocumentOpenedObserver::lastOpenedWindow();
    ASSERT_TRUE(opened);
    EXPECT_NE(opened.data(), window);
    EXPECT_EQ(opened->windowTitle(), "Tessival  " + copy);
    const auto objects = opened->presenter()->context().document().allObjects();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_NE(objects[0], context().document().allObjects()[0]) << "its own copy";
    EXPECT_EQ(context().document().allObjects().size(), 1u) << "this window keeps its document";
    delete opened.data();
}

int mainWindowCount()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<MainWindow *>(widget) ? 1 : 0;
    return count;
}


// Answers the message box that follows the file dialog, once that is gone.
void answerMessageAfterFileDialog(QString *reported, QMessageBox::StandardButton button = QMessageBox::Ok)
{
    QTimer::singleShot(0, [reported, button] {
        TestSupport::whenModal<QMessageBox>([reported, button](QMessageBox *box) {
            *reported = box->windowTitle() + ": " + box->text();
            box->button(button)->click();
        });
    });
}

// Two windows on one file would each save over the other's work: opening a
// file a window shows brings that window to the front. A window that holds
// nothing and no change takes the document itself, and stays as it was
// when the file cannot be read.
TEST_F(MainWindowTest, OpeningAnOpenFileShowsItsWindowAndAnEmptyWindowTakesTheDocument)
{
    TestSupport::TempFolder temp;
    const QString path = temp.file("wafer.cvx");
    addVolume(10, Util::Vector3D(0, 0, 0));
    ASSERT_TRUE(Core::Operations::DocumentFiles::save(path, context()).ok);
    addVolume(5, Util::Vector3D(20, 0, 0));
    context().history().push(boost::make_shared<TestSupport::RecordingOperation>(&context(), "Work", nullptr));
    ASSERT_TRUE(context().hasUnsavedChanges());
    const int windows = mainWindowCount();

    auto *empty = new MainWindow;
    empty->show();
    const auto openFrom = [](MainWindow *from, const QString &file) {
        chooseFile(file);
        from->action("actionOpen")->trigger();
        return QPointer<MainWindow>(Ui::Observers::DocumentOpenedObserver::lastOpenedWindow());
    };
    for (MainWindow *from : {window, empty}) {
        EXPECT_EQ(openFrom(from, QDir(temp.path()).filePath("./wafer.cvx")).data(), window)
            << "the window of the file, also through another way of writing its path";
        EXPECT_EQ(mainWindowCount(), windows + 1);
        EXPECT_EQ(context().document().allObjects().size(), 2u) << "its unsaved volume stays";
    }
    EXPECT_TRUE(empty->presenter()->context().document().allObjects().empty());

    const QString copy = temp.file("copy.cvx");
    ASSERT_TRUE(QFile::copy(path, copy));
    EXPECT_EQ(openFrom(empty, copy).data(), empty) << "the empty window takes the document";
    EXPECT_EQ(mainWindowCount(), windows + 1);
    EXPECT_EQ(empty->windowTitle(), "Tessival  " + copy);
    EXPECT_EQ(empty->presenter()->context().document().allObjects().size(), 1u);
    EXPECT_FALSE(empty->presenter()->context().hasUnsavedChanges());

    auto *another = new MainWindow;
    another->show();
    const QString foreign = temp.file("notes.cvx");
    ASSERT_TRUE(TestSupport::TempFolder::write(foreign, "just some notes"));
    QString reported;
    answerMessageAfterFileDialog(&reported);
    EXPECT_TRUE(openFrom(another, foreign).isNull());
    EXPECT_EQ(reported, "Error reading from file: " + foreign + " is not a Tessival document.");
    EXPECT_EQ(mainWindowCount(), windows + 2);
    EXPECT_TRUE(another->presenter()->context().document().allObjects().empty());
    EXPECT_EQ(another->windowTitle(), "Tessival");
    delete another;
    delete empty;
}

// A file that is not a document: the error box, and no empty window left
// behind it.
TEST_F(MainWindowTest, OpeningAForeignFileSaysWhatIsWrongAndLeavesNoWindow)
{
    TestSupport::TempFolder temp;
    const QString path = temp.file("notes.cvx");
    ASSERT_TRUE(TestSupport::TempFolder::write(path, "just some notes"));
    const int windows = mainWindowCount();
    chooseFile(path);
    QString reported;
    answerMessageAfterFileDialog(&reported);
    window->action("actionOpen")->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(reported, "Error reading from file: " + path + " is not a Tessival document.");
    EXPECT_FALSE(Ui::Observers::DocumentOpenedObserver::lastOpenedWindow());
    EXPECT_EQ(mainWindowCount(), windows);
    EXPECT_EQ(TestSupport::TempFolder::read(path), "just some notes");

    // A file gone between the dialog and the reading.
    Core::Operations::OpenDocumentOperation::rememberOpened(temp.file("gone.cvx"));
    TestSupport::whenModal<QMessageBox>([&reported](QMessageBox *box) {
        reported = box->windowTitle() + ": " + box->text();
        box->accept();
    });
    Ui::Observers::DocumentOpenedObserver().notify();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(reported.startsWith("Error reading from file: Unable to open " + temp.file("gone.cvx")))
        << reported.toStdString();
    EXPECT_EQ(mainWindowCount(), windows) << "nor for a file that cannot be opened";
}

// The first half of a saved document: a warning that says how much was
// read, a window without the file's name, and a Save that asks where.
TEST_F(MainWindowTest, TruncatedDocumentIsReportedAndSaveDoesNotOverwriteIt)
{
    context().document().addObject(boost::make_shared<Model::Automaton::TotalVolume>(
        80, 60, 60, 1.0f, 1.0f, 1.0f, Util::Vector3D(), std::vector<std::uint32_t>(288000, 1u)));
    TestSupport::TempFolder temp;
    const QString whole = temp.file("whole.cvx");
    ASSERT_TRUE(Core::Operations::DocumentFiles::save(whole, context()).ok);
    const QByteArray text = TestSupport::TempFolder::read(whole);
    const QString path = temp.file("half.cvx");
    ASSERT_TRUE(TestSupport::TempFolder::write(path, text.left(text.indexOf("<State>") + 7 + 2 * 150000)));
    const QByteArray damaged = TestSupport::TempFolder::read(path);

    chooseFile(path);
    QString reported;
    answerMessageAfterFileDialog(&reported);
    window->action("actionOpen")->trigger();
    EXPECT_EQ(reported, "Damaged document: The document ends early: 150 000 of 288 000 cells were read.\n\n"
                        "The window keeps no file name, so Save asks where to save; "
                            + path + " is left as it is.");
    QPointer<MainWindow> other = Ui::Observers::DocumentOpenedObserver::lastOpenedWindow();
    ASSERT_TRUE(other);
    EXPECT_EQ(other->windowTitle(), "Tessival");
    EXPECT_EQ(other->presenter()->context().document().allObjects().size(), 1u);

    bool asked = false;
    TestSupport::whenModal<QFileDialog>([&asked](QFileDialog *dialog) {
        asked = true;
        dialog->reject();
    });
    other->action("actionSave")->trigger();
    EXPECT_TRUE(asked);
    EXPECT_EQ(TestSupport::TempFolder::read(path), damaged);
    delete other.data();
}

TEST_F(MainWindowTest, NewMaterialColoursReachTheVolumesOfEveryWindow)
{
    const auto catalogue = Model::Materials::MaterialFactory::getInstance();
    const Model::Materials::Material si = catalogue->getMaterial(1);
    const auto here = createSubstrate();
    ASSERT_TRUE(here);
    QPointer<MainWindow> other = new MainWindow;
    other->show();
    Core::Operations::OperationContext &otherContext = other->presenter()->context();
    const auto there = boost::make_shared<Model::Automaton::TotalVolume>(
        2, 2, 2, 1.0f, 1.0f, 1.0f, Util::Vector3D(), std::vector<std::uint32_t>(8, 1));
    otherContext.document().addObject(there);
    std::vector<std::string> redrawn;
    otherContext.addUpdateObserver(boost::make_shared<TestSupport::LoggingObserver>("update", &redrawn));

    TestSupport::whenModal<Ui::ManageMaterialsDialog>([](Ui::ManageMaterialsDialog *dialog) {
        Ui::MaterialTableViewItem *model = dialog->model();
        model->setData(model->index(0, Ui::MaterialTableViewItem::ColourColumn), QColor(255, 0, 0));
        dialog->accept();
    });
    window->action("actionManage_Materials")->trigger();

    EXPECT_EQ(redrawn, std::vector<std::string>{"update"}) << "the other window draws again";
    view->updateGL();
    other->view()->updateGL();
    const Model::Geometry::QuadFace::Colour red = {1.0f, 0.0f, 0.0f, 1.0f};
    for (const auto &shown : {std::make_pair(view, here), std::make_pair(other->view(), there)}) {
        const Ui::VolumeRenderState *state = shown.first->volumeStates().find(shown.second->id());
        ASSERT_TRUE(state);
        const auto &faces = state->geometry().cubicFaces.opaque;
        ASSERT_FALSE(faces.empty());
        EXPECT_EQ(faces.front().fill, red);
    }

    catalogue->setMaterial(si);
    catalogue->saveMaterials();
    delete other.data();
}

TEST_F(MainWindowTest, NewReturnsTheTitleToTessival)
{
    TestSupport::TempFolder temp;
    chooseFile(temp.file("old.cvx"));
    window->action("actionSave")->trigger();
    EXPECT_EQ(window->windowTitle(), "Tessival  " + temp.file("old.cvx"));
    TestSupport::whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    window->action("actionNew")->trigger();
    EXPECT_EQ(window->windowTitle(), "Tessival");
}

TEST_F(MainWindowTest, SaveAddsCvxToANameWithoutExtension)
{
    TestSupport::TempFolder temp;
    chooseFile(temp.file("wafer"));
    window->action("actionSave")->trigger();
    EXPECT_EQ(window->windowTitle(), "Tessival  " + temp.file("wafer.cvx"));
    EXPECT_TRUE(QFileInfo::exists(temp.file("wafer.cvx")));

    chooseFile(temp.file("wafer.v2"));
    window->action("actionSave_as")->trigger();
    EXPECT_EQ(window->windowTitle(), "Tessival  " + temp.file("wafer.v2")) << "a typed dot is kept";
}

TEST(MainWindows, EachWindowHasItsOwnPresenterAndClosingRemovesIt)
{
    QPointer<MainWindow> first = new MainWindow;
    QPointer<MainWindow> second = new MainWindow;
    first->show();
    second->show();
    EXPECT_NE(&first->presenter()->context(), &second->presenter()->context());
    QPointer<Ui::Console::CommandConsole> console = second->presenter()->console();
    second->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
    EXPECT_TRUE(console.isNull());
    EXPECT_FALSE(first.isNull());
    delete first;
}

TEST_F(MainWindowTest, ZoomNeverReachesZeroFromWheelDialogOrSetter)
{
    for (int step = 0; step < 100; ++step)
        wheel(-120);
    EXPECT_EQ(view->zoom(), Ui::SceneView::MinZoom);
    EXPECT_EQ(window->statusBar()->currentMessage(), "Zoom = 0.1%");
    wheel(120);
    EXPECT_GT(view->zoom(), Ui::SceneView::MinZoom) << "the wheel brings the picture back";

    TestSupport::whenModal<Ui::ViewProperties>([](Ui::ViewProperties *dialog) {
        dialog->findChild<QDoubleSpinBox *>("dblZoom")->setValue(0);
        dialog->accept();
    });
    window->action("actionSet_View")->trigger();
    EXPECT_NEAR(view->zoom(), Ui::SceneView::MinZoom, 1e-7);

    view->setZoom(std::nanf(""));
    EXPECT_EQ(view->zoom(), Ui::SceneView::MinZoom);

    // Close-ups of small volumes zoom beyond 10000 %.
    view->setZoom(500.0f);
    TestSupport::whenModal<Ui::ViewProperties>([](Ui::ViewProperties *dialog) { dialog->accept(); });
    window->action("actionSet_View")->trigger();
    EXPECT_NEAR(view->zoom(), 500.0f, 1e-3) << "the dialog gives back the zoom it was shown";
}

TEST_F(MainWindowTest, FitToVolumeFramesEveryVolumeFromTheCurrentDirection)
{
    QTest::keyClick(view, Qt::Key_F);
    EXPECT_TRUE(consoleLog().endsWith("Fit to Volume: There is no cell volume to show."));
    EXPECT_EQ(view->zoom(), 1.0f);

    addVolume(20, Util::Vector3D(0, 0, 0));
    addVolume(10, Util::Vector3D(300, 50, -40), 2);
    window->setView("front");
    wheel(120);
    EXPECT_FALSE(showsAllVolumesFitted(view, context()));
    QTest::keyClick(view, Qt::Key_F);
    EXPECT_TRUE(showsAllVolumesFitted(view, context()));
    EXPECT_EQ(view->viewTransform().angles(), (std::array<float, 3>{-90, 0, 0})) << "the direction stays";
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("Zoom = "));

    window->setView("top");
    window->action("actionFit_to_Volume")->trigger();
    EXPECT_TRUE(showsAllVolumesFitted(view, context()));
}

TEST_F(MainWindowTest, CreatedSubstrateIsShownFitted)
{
    for (int step = 0; step < 10; ++step)
        wheel(-120);
    createSubstrate();
    EXPECT_TRUE(showsAllVolumesFitted(view, context()));
}

TEST_F(MainWindowTest, OpenedDocumentLiesBesideItsOriginWithItsConsoleAndShowsItsVolumeFitted)
{
    TestSupport::TempFolder temp;
    const QString path = temp.file("offset.cvx");
    addVolume(30, Util::Vector3D(500, 500, 0));
    TestSupport::whenModal<QFileDialog>([&path](QFileDialog *dialog) {
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    window->action("actionSave")->trigger();
    // A copy: the window's own file would bring this window to the front.
    const QString copy = temp.file("offset-copy.cvx");
    ASSERT_TRUE(QFile::copy(path, copy));
    TestSupport::whenModal<QFileDialog>([&copy](QFileDialog *dialog) {
        dialog->selectFile(copy);
        static_cast<QDialog *>(dialog)->accept();
    });
    window->action("actionOpen")->trigger();
    QPointer<MainWindow> opened = Ui::Observers::DocumentOpenedObserver::lastOpenedWindow();
    ASSERT_TRUE(opened);
    ASSERT_NE(opened.data(), window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(opened));
    QApplication::processEvents();

    const QRect available = window->screen()->availableGeometry();
    EXPECT_EQ(opened->geometry(), Ui::WindowCascade::next(window->geometry(), available));
    EXPECT_NE(opened->geometry().topLeft(), window->geometry().topLeft());
    QWidget *console = window->presenter()->console();
    QWidget *openedConsole = opened->presenter()->console();
    EXPECT_EQ(openedConsole->pos(), Ui::WindowCascade::next(console->pos(), console->size(), available));
    EXPECT_NE(openedConsole->pos(), console->pos());

    EXPECT_TRUE(showsAllVolumesFitted(opened->view(), opened->presenter()->context()));
    delete opened.data();
}

TEST_F(MainWindowTest, ConsoleGreetsWithWhatItIsFor)
{
    const QStringList lines = consoleLog().split('\n');
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("Console: ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains("coordinates")) << lines[0].toStdString();
}

TEST_F(MainWindowTest, StepsNotBuiltYetSayTheyAreNotAvailable)
{
    // An entry leaves this list when its process is built.
    const std::vector<const char *> unbuilt = {};
    context().startOperation(Core::Operations::DeleteObjectId);
    const auto waiting = context().currentOperation();
    ASSERT_TRUE(waiting);
    for (const char *name : unbuilt) {
        QAction *entry = window->action(name);
        ASSERT_TRUE(entry) << name;
        entry->trigger();
        EXPECT_TRUE(consoleLog().endsWith("\n" + entry->text() + ": This step is not available yet."))
            << name << ": " << consoleLog().toStdString();
    }
    EXPECT_EQ(context().currentOperation(), waiting) << "the waiting operation goes on";

    window->action("actionCVD")->trigger();
    EXPECT_FALSE(consoleLog().endsWith("This step is not available yet."));
}

TEST_F(MainWindowTest, VolumeActionsStartTheirOperations)
{
    const std::pair<const char *, const char *> prompts[] = {
        {"actionGlue_Substrate", "Glue Volumes: select the base cell volume and press Enter/Return."},
        {"actionCut_Cell_Volume", "Change Cut Planes: Select a cell volume and press Enter/Return."},
        {"actionChange_Viewing_Options", "Change Visualization: Select a cell volume and press Enter/Return."},
        {"actionExtract_Film", "Extract Film: select a cell volume and press Enter/Return."},
        {"actionModel_Extraction", "Model Extraction: Select a cell volume and press Enter/Return."},
    };
    for (const auto &entry : prompts) {
        window->action(entry.first)->trigger();
        EXPECT_TRUE(consoleLog().endsWith(QString::fromUtf8(entry.second))) << entry.first;
        EXPECT_TRUE(context().currentOperation()) << entry.first;
    }
}

TEST_F(MainWindowTest, BatchRunOpensItsDialogWithTheSelectedVolumeOrNone)
{
    const auto volume = createSubstrate();
    ASSERT_TRUE(volume);
    boost::shared_ptr<Model::Automaton::TotalVolume> given = volume;
    const auto closeNext = [&given] {
        TestSupport::whenModal<Ui::RunProcessesDialog>([&given](Ui::RunProcessesDialog *dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Batch Run");
            given = dialog->volume();
            dialog->findChild<QPushButton *>("btnClose")->click();
        });
    };
    context().selectionManager().toggle({volume->id()});
    closeNext();
    window->action("actionBatch_Run")->trigger();
    EXPECT_EQ(given, volume);
    EXPECT_FALSE(context().currentOperation());

    window->action("actionBatch_Run")->trigger();
    EXPECT_TRUE(consoleLog().endsWith("To start without a cell volume type N and press Enter/Return."));
    closeNext();
    context().consoleInput().processLine("N");
    EXPECT_FALSE(given);
}

TEST_F(MainWindowTest, MooreColumnAndRieActionsOpenTheirDialogsAndUndoUnderTheirTitles)
{
    const auto volume = createSubstrate();
    ASSERT_TRUE(volume);
    using namespace Ui::Operations;
    const auto rejectNext = [](const char *action) -> std::function<void()> {
        const std::string name = action;
        if (name == "actionMoore_Deposition" || name == "actionMoore_Etching")
            return [] { TestSupport::whenModal<MooreOptionsDialog>([](MooreOptionsDialog *d) { d->reject(); }); };
        if (name == "actionSpin_Coating")
            return [] { TestSupport::whenModal<SpinCoatingOptionsDialog>([](SpinCoatingOptionsDialog *d) { d->reject(); }); };
        if (name == "actionSimple_RIE")
            return [] { TestSupport::whenModal<SimpleRIEDialog>([](SimpleRIEDialog *d) { d->reject(); }); };
        return [] { TestSupport::whenModal<PlanarizationOptionsDialog>([](PlanarizationOptionsDialog *d) { d->reject(); }); };
    };
    const std::pair<const char *, const char *> actions[] = {
        {"actionMoore_Deposition", "Moore film deposition: Operation canceled."},
        {"actionMoore_Etching", "Moore film etching: Operation canceled."},
        {"actionPlanarization", "Planarization: Operation canceled!"},
        {"actionSpin_Coating", "Spin Coating: Operation canceled."},
        {"actionSimple_RIE", "Simple RIE: Operation canceled."},
    };
    for (const auto &entry : actions) {
        rejectNext(entry.first)();
        window->action(entry.first)->trigger();
        EXPECT_TRUE(consoleLog().endsWith(QString("\n") + entry.second)) << entry.first;
        EXPECT_FALSE(context().currentOperation()) << entry.first;
    }

    const auto before = volume->materials();
    TestSupport::whenModal<PlanarizationOptionsDialog>([](PlanarizationOptionsDialog *dialog) {
        EXPECT_EQ(dialog->maximumHeight(), 80) << "the volume's height";
        dialog->findChild<QSpinBox *>("sbxMinimumHeight")->setValue(2);
        dialog->accept();
    });
    window->action("actionPlanarization")->trigger();
    EXPECT_TRUE(consoleLog().endsWith("\nPlanarization: Operation finished.")) << consoleLog().toStdString();
    EXPECT_EQ(window->undoAction()->text(), "Undo Planarization");
    EXPECT_NE(volume->materials(), before);
    window->undoAction()->trigger();
    EXPECT_EQ(volume->materials(), before);
    EXPECT_EQ(window->redoAction()->text(), "Redo Planarization");
}

TEST_F(MainWindowTest, LegendOfTheShownMaterialsIsDrawnIntoSavedImages)
{
    // Si below, Cu above, and a material the catalogue does not know.
    const std::uint32_t si = 1, cu = 5, unknown = 999;
    std::vector<std::uint32_t> cells(20 * 20 * 10);
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = i % 10 < 6 ? si : i % 10 < 9 ? cu : unknown;
    auto volume = boost::make_shared<Model::Automaton::TotalVolume>(20, 20, 10, 1.0f, 1.0f, 1.0f,
                                                                   Util::Vector3D(), cells);
    context().document().addObject(volume);
    view->fitToVolumes();

    const auto entries = Ui::MaterialLegend::entriesOf({si, cu, unknown},
                                                       *Model::Materials::MaterialFactory::getInstance());
    ASSERT_EQ(entries.size(), 3u);

    TestSupport::TempFolder temp;
    auto swatchColours = [&](const QString &name) {
        EXPECT_TRUE(view->saveImage(temp.file(name)));
        const QImage shot(temp.file(name));
        std::vector<QColor> colours;
        for (int row = 0; row < 3; ++row) {
            const QPoint centre = Ui::MaterialLegend::swatch(row).center()
                                  + QPoint(Ui::MaterialLegend::Margin, Ui::MaterialLegend::Margin);
            colours.push_back(shot.pixelColor(centre));
        }
        return colours;
    };
    auto close = [](const QColor &a, const QColor &b) {
        return std::abs(a.red() - b.red()) <= 1 && std::abs(a.green() - b.green()) <= 1
               && std::abs(a.blue() - b.blue()) <= 1;
    };

    ASSERT_TRUE(window->action("actionShow_Legend")->isChecked());
    const std::vector<QColor> shown = swatchColours("legend.png");
    for (std::size_t row = 0; row < 3; ++row)
        EXPECT_TRUE(close(shown[row], entries[row].colour))
            << entries[row].name.toStdString() << ": " << shown[row].name().toStdString() << " instead of "
            << entries[row].colour.name().toStdString();

    window->action("actionShow_Legend")->setChecked(false);
    const std::vector<QColor> hidden = swatchColours("plain.png");
    for (std::size_t row = 0; row < 3; ++row)
        EXPECT_FALSE(close(hidden[row], entries[row].colour)) << entries[row].name.toStdString();
}

// A step that would run for days: its progress dialog shows the step's
// title and count while the window can neither start nor close anything,
// and Cancel brings the cells and the history back as they were.
TEST_F(MainWindowTest, ALongStepShowsItsProgressAndCancelPutsTheCellsBack)
{
    // Silicon under an oxide mask with an opening: the continuous wet etch
    // wears the (111) walls of its pit down at its slowest rate, a
    // thousandth of an atom per step, so every one of a hundred thousand
    // steps changes atoms. Steps that change nothing end the run, and on
    // any volume a test can afford every other step loop soon runs out of
    // work.
    std::vector<std::uint32_t> cells(30 * 30 * 20, 0);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::size_t z = i % 20, y = i / 20 % 30, x = i / 600;
        const bool opening = x >= 10 && x < 20 && y >= 10 && y < 20;
        cells[i] = z < 8 ? 1u : z == 8 && !opening ? 3u : 0u;
    }
    auto volume = boost::make_shared<Model::Automaton::TotalVolume>(30, 30, 20, 1.0f, 1.0f, 1.0f,
                                                                   Util::Vector3D(), cells);
    volume->painter().rebuildAll();
    // The lattice is ready: the first step the dialog shows is the etch.
    volume->rebuildSiLattice();
    context().processRecords().setSiLatticeStale(volume->id(), false);
    context().document().addObject(volume);
    const std::size_t undoCount = context().history().undoCount();

    using Ui::Operations::BCAEtchingDialog;
    TestSupport::whenModal<BCAEtchingDialog>([](BCAEtchingDialog *dialog) {
        dialog->setDepth(25000);
        dialog->accept();
    });
    QString title, label, runningTitle;
    bool stayedOpen = false;
    TestSupport::repeatUntil(
        [&] {
            auto *dialog = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || !dialog->labelText().contains(QStringLiteral("step")))
                return false;
            title = dialog->windowTitle();
            label = dialog->labelText();
            // What the window could still be asked to do meanwhile.
            window->action("actionIsotropic_Film_Etching")->trigger();
            runningTitle = QString::fromStdString(context().currentOperation()->title());
            window->close();
            stayedOpen = window->isVisible();
            dialog->findChild<QPushButton *>()->click();
            return true;
        },
        [] {
            if (auto *dialog = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget()))
                dialog->findChild<QPushButton *>()->click();
        });
    window->action("actionContinuous_Wet_Etching")->trigger();

    EXPECT_EQ(title, "Continuous Wet Etch");
    EXPECT_TRUE(label.startsWith("Etching: step ")) << label.toStdString();
    EXPECT_TRUE(label.endsWith(" of 100000")) << label.toStdString();
    EXPECT_EQ(runningTitle, "Continuous Wet Etch") << "nothing else started";
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(consoleLog().endsWith("\nContinuous Wet Etch: Operation canceled.")) << consoleLog().toStdString();
    EXPECT_EQ(volume->materials(), cells);
    EXPECT_EQ(context().history().undoCount(), undoCount);
    EXPECT_FALSE(context().currentOperation());
    EXPECT_FALSE(QApplication::activeModalWidget());
}

TEST_F(MainWindowTest, LettersTypedIntoTheConsoleStayThere)
{
    addVolume(20, Util::Vector3D(0, 0, 0));
    Ui::Console::CommandConsole *console = window->presenter()->console();
    QApplication::setActiveWindow(console);
    console->commandLine()->setFocus();
    const float zoom = view->zoom();
    QTest::keyClicks(console->commandLine(), "fade");
    EXPECT_EQ(console->commandLine()->text(), "fade");
    EXPECT_EQ(view->zoom(), zoom) << "F in the console is a letter, not Fit to Volume";
    EXPECT_EQ(view->viewTransform().displacement(), (std::array<float, 3>{0, 0, 0}));
}

namespace {

// Answers each close question with what `answer` picks for its window, and
// keeps the texts asked.
void answerCloseQuestions(int count, std::function<QMessageBox::StandardButton(QWidget *)> answer, QStringList *asked)
{
    TestSupport::whenModal<QMessageBox>([count, answer, asked](QMessageBox *box) {
        asked->push_back(box->windowTitle() + ": " + box->text());
        if (count > 1)
            answerCloseQuestions(count - 1, answer, asked);
        box->button(answer(box->parentWidget()))->click();
    });
}

QMessageBox::StandardButton always(QMessageBox::StandardButton button, QWidget *)
{
    return button;
}

} // namespace

// Unsaved work: the title shows a "*" from the first change until a save,
// and closing asks first. Cancel keeps the window; Save saves (asking for a
// name when there is none; a dismissed save keeps the window open).
TEST_F(MainWindowTest, ClosingWithUnsavedChangesAsksSaveDiscardOrCancel)
{
    using namespace std::placeholders;
    QPointer<MainWindow> guard = window;
    createSubstrate();
    EXPECT_EQ(window->windowTitle(), "Tessival*");

    QStringList asked;
    answerCloseQuestions(1, std::bind(always, QMessageBox::Cancel, _1), &asked);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(asked, QStringList{"Unsaved changes: Save changes to this document?"});
    EXPECT_TRUE(window->isVisible());

    answerCloseQuestions(1, std::bind(always, QMessageBox::Save, _1), &asked);
    TestSupport::whenModal<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    EXPECT_FALSE(window->close()) << "the save was dismissed";
    EXPECT_EQ(asked.size(), 2);

    TestSupport::TempFolder temp;
    const QString path = temp.file("wafer.cvx");
    chooseFile(path);
    window->action("actionSave")->trigger();
    EXPECT_EQ(window->windowTitle(), "Tessival  " + path);
    window->undoAction()->trigger();
    EXPECT_EQ(window->windowTitle(), "Tessival  " + path + "*");
    window->redoAction()->trigger();
    EXPECT_EQ(window->windowTitle(), "Tessival  " + path) << "back at the saved state";

    createSubstrate();
    answerCloseQuestions(1, std::bind(always, QMessageBox::Save, _1), &asked);
    EXPECT_TRUE(window->close()) << "saved to its file without asking where";
    EXPECT_EQ(asked.last(), "Unsaved changes: Save changes to wafer.cvx?");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(TestSupport::TempFolder::read(path).count("<Object "), 2);
    window = new MainWindow; // for the fixture to delete
}

TEST_F(MainWindowTest, DiscardClosesAndAWindowBackAtItsSavedStateDoesNotAsk)
{
    using namespace std::placeholders;
    QPointer<MainWindow> guard = window;
    createSubstrate();
    window->undoAction()->trigger();
    EXPECT_EQ(window->windowTitle(), "Tessival");
    bool asked = false;
    QTimer::singleShot(0, [&asked] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            asked = true;
            box->button(QMessageBox::Cancel)->click();
        }
    });
    EXPECT_TRUE(window->close());
    QApplication::processEvents();
    EXPECT_FALSE(asked);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());

    window = new MainWindow;
    window->show();
    guard = window;
    createSubstrate();
    QStringList texts;
    answerCloseQuestions(1, std::bind(always, QMessageBox::Discard, _1), &texts);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(texts.size(), 1);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    window = new MainWindow;
}

// Exiting the program closes every window: each one with changes asks
// first, and a Cancel stops the exit with that window still open.
TEST(MainWindows, ExitingAsksEachWindowWithChanges)
{
    using namespace std::placeholders;
    auto windowsWithWork = [](int count) {
        std::vector<QPointer<MainWindow>> windows;
        for (int i = 0; i < count; ++i) {
            windows.emplace_back(new MainWindow);
            windows.back()->show();
            auto &context = windows.back()->presenter()->context();
            context.history().push(boost::make_shared<TestSupport::RecordingOperation>(&context, "Work", nullptr));
        }
        return windows;
    };
    QPointer<MainWindow> clean = new MainWindow;
    clean->show();
    auto windows = windowsWithWork(2);
    QStringList asked;
    answerCloseQuestions(2, std::bind(always, QMessageBox::Discard, _1), &asked);
    QApplication::closeAllWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(asked.size(), 2);
    EXPECT_TRUE(windows[0].isNull() && windows[1].isNull() && clean.isNull());

    windows = windowsWithWork(2);
    asked.clear();
    answerCloseQuestions(1, std::bind(always, QMessageBox::Cancel, _1), &asked);
    QApplication::closeAllWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(asked.size(), 1) << "the exit stopped at the first Cancel";
    EXPECT_FALSE(windows[0].isNull() && windows[1].isNull());
    for (const auto &each : windows)
        delete each.data();
}

// The visualization options through their menu action: the window's own
// view draws the smooth surface, and makes the atoms' buffers in its own
// context at its next frame.
TEST_F(MainWindowTest, ViewingOptionsActionSwitchesTheViewToMarchingCubesAndAtoms)
{
    std::vector<std::uint32_t> cells(16 * 16 * 6);
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = i % 6 < 4 ? 1u : 0u;
    auto volume = boost::make_shared<Model::Automaton::TotalVolume>(16, 16, 6, 1.0f, 1.0f, 1.0f,
                                                                   Util::Vector3D(), cells);
    ASSERT_TRUE(volume->rebuildSiLattice());
    context().document().addObject(volume);
    view->fitToVolumes();
    view->updateGL();
    TestSupport::TempFolder temp;
    ASSERT_TRUE(view->saveImage(temp.file("cubic.png")));

    context().selectionManager().setMode(true);
    context().selectionManager().toggle({volume->id()});
    TestSupport::whenModal<Ui::Operations::ChangeVolumeVisualizationDialog>(
        [](Ui::Operations::ChangeVolumeVisualizationDialog *dialog) {
            dialog->findChild<QCheckBox *>("cbxRenderAtoms")->setChecked(true);
            dialog->findChild<QCheckBox *>("cbxRenderLinks")->setChecked(true);
            dialog->findChild<QComboBox *>("cbxAlgorithm")->setCurrentIndex(1);
            dialog->accept();
        });
    window->action("actionChange_Viewing_Options")->trigger();
    EXPECT_TRUE(consoleLog().endsWith("Change Visualization: Options changed.")) << consoleLog().toStdString();
    view->updateGL();
    ASSERT_TRUE(view->saveImage(temp.file("smooth.png")));
    EXPECT_NE(QImage(temp.file("smooth.png")), QImage(temp.file("cubic.png")));

    const Ui::VolumeRenderState *state = view->volumeStates().find(volume->id());
    ASSERT_TRUE(state);
    EXPECT_FALSE(state->geometry().marchingCubes.empty());
    EXPECT_FALSE(state->geometry().atoms.atoms.empty());
    EXPECT_TRUE(state->atomBuffers().parts().atoms) << "a frame with a context switches nothing off";
    EXPECT_NE(state->atomBuffers().sphere(), 0u);
    EXPECT_NE(state->atomBuffers().links(), 0u);
}


namespace {

// Answers every message box titled `title` with OK for as long as it lives,
// and counts them.
class MessageBoxCounter
{
public:
    explicit MessageBoxCounter(const QString &title) : m_title(title)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || box->windowTitle() != m_title)
                return;
            ++count;
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start(10);
    }

    int count = 0;
    QString text;

private:
    QString m_title;
    QTimer m_timer;
};

} // namespace

// The undo files cannot be written (a file stands where the state folder
// should be), and a step changes a saved document: the step cannot be
// undone, but the document stays unsaved until it is saved again, closing
// asks, the recovery copy holds the step, and the window says once that
// undo is off.
TEST(MainWindows, AChangeTheUndoFilesCouldNotRecordStaysUnsaved)
{
    const TestSupport::BlockedStateFolder blocked;
    ASSERT_TRUE(blocked.isBlocked());

    QPointer<MainWindow> window = new MainWindow;
    window->show();
    Core::Operations::OperationContext &context = window->presenter()->context();
    ASSERT_FALSE(context.stateFiles().isAvailable());
    std::vector<std::uint32_t> cells(10 * 10 * 10, 0u);
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = i % 10 < 4 ? 1u : 0u;
    const auto volume = boost::make_shared<Model::Automaton::TotalVolume>(10, 10, 10, 1.0f, 1.0f, 1.0f,
                                                                         Util::Vector3D(), cells);
    context.document().addObject(volume);
    TestSupport::TempFolder temp;
    const QString path = temp.file("wafer.cvx");
    ASSERT_TRUE(Core::Operations::DocumentFiles::save(path, context).ok);
    ASSERT_FALSE(context.hasUnsavedChanges());

    MessageBoxCounter undoOff("Undo is off");
    const auto deposit = [&window] {
        TestSupport::whenModal<Ui::Operations::IsotropicDepositionDialog>(
            [](Ui::Operations::IsotropicDepositionDialog *dialog) {
                dialog->setThickness(1.0);
                dialog->accept();
            });
        window->action("actionCVD")->trigger();
    };
    deposit();
    EXPECT_NE(volume->materials(), cells) << "the step ran";
    EXPECT_EQ(undoOff.count, 1);
    EXPECT_TRUE(undoOff.text.startsWith("The undo files cannot be written")) << undoOff.text.toStdString();
    EXPECT_TRUE(context.hasUnsavedChanges());
    EXPECT_EQ(window->windowTitle(), "Tessival  " + path + "*");

    const auto recovery = context.recovery();
    ASSERT_TRUE(recovery);
    recovery->waitForWrites();
    Core::Operations::OperationContext recovered;
    ASSERT_TRUE(Core::Operations::DocumentFiles::open(recovery->filePath(), recovered).ok)
        << "the recovery copy is kept";
    const auto objects = recovered.document().allObjects();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(boost::dynamic_pointer_cast<Model::Automaton::TotalVolume>(objects[0])->materials(),
              volume->materials());

    deposit();
    EXPECT_EQ(undoOff.count, 1) << "said once, not at every step";
    EXPECT_TRUE(context.hasUnsavedChanges());

    QStringList asked;
    answerCloseQuestions(1, std::bind(always, QMessageBox::Cancel, std::placeholders::_1), &asked);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(asked, QStringList{"Unsaved changes: Save changes to wafer.cvx?"});
    delete window.data();
}

// File > Document Units sets how long a world unit is, as a step of the
// history: undo puts the earlier unit back, and the document is unsaved.
// The dialog takes only lengths.
TEST_F(MainWindowTest, DocumentUnitsAreAStepOfTheHistory)
{
    const Model::LengthUnit before = context().document().lengthUnit();
    TestSupport::whenModal<QDialog>([](QDialog *dialog) {
        auto *edit = dialog->findChild<QLineEdit *>("txtLengthUnit");
        auto *ok = dialog->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok);
        EXPECT_EQ(edit->text(), QString::fromUtf8("2.715 µm"));
        edit->setText("ten microns");
        EXPECT_FALSE(ok->isEnabled());
        edit->setText("0.5 um");
        EXPECT_TRUE(ok->isEnabled());
        ok->click();
    });
    window->action("actionDocument_Units")->trigger();
    EXPECT_DOUBLE_EQ(context().document().lengthUnit().metres(), 0.5e-6);
    EXPECT_TRUE(consoleLog().endsWith(QString::fromUtf8("Document Units: One world unit is 500 nm now.")))
        << consoleLog().toStdString();
    EXPECT_EQ(window->undoAction()->text(), "Undo Document Units");
    EXPECT_TRUE(context().hasUnsavedChanges());
    window->undoAction()->trigger();
    EXPECT_EQ(context().document().lengthUnit(), before);
    window->redoAction()->trigger();
    EXPECT_DOUBLE_EQ(context().document().lengthUnit().metres(), 0.5e-6);

    // Cancel, or OK on the same unit, leaves no step.
    TestSupport::whenModal<QDialog>([](QDialog *dialog) { dialog->accept(); });
    window->action("actionDocument_Units")->trigger();
    EXPECT_EQ(context().history().undoCount(), 1u);
}
