#include "UI/MainWindow.h"

#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "UI/AboutWindow.h"
#include "UI/GLWidget.h"
#include "UI/Input/ChangeColorsDialog.h"
#include "UI/Input/ChangeGridSpacingDialog.h"
#include "UI/MainWindowPresenter.h"
#include "UI/Observers/SelectionModeObserver.h"
#include "UI/OperationMapper.h"
#include "UI/ViewProperties.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QStatusBar>

namespace Ui {

using namespace Core::Operations;

namespace {

const char *const Context = "MainWindowForm";

// One action of the window. A single tip serves as tool tip and status tip.
struct ActionEntry
{
    const char *name;
    const char *text;
    const char *shortcut;
    const char *toolTip;
    const char *statusTip;
    bool checkable;
    bool checked;
    bool enabled;
};

const ActionEntry Actions[] = {
    {"actionNew", "New", "", "", "", false, false, true},
    {"actionOpen", "Open", "Ctrl+O", "", "", false, false, true},
    {"actionSave", "Save", "Ctrl+S", "", "", false, false, true},
    {"actionSave_as", "Save As ...", "", "", "", false, false, true},
    {"actionDocument_Units", "Document Units…", "", "Set how long a world unit of the document is.", "", false, false,
     true},
    {"actionExport", "Export…", "", "Export the cells or the surface of each material for other programs.", "",
     false, false, true},
    {"actionSave_Image", "Save Image", "", "Save a screenshot as an image.", "", false, false, true},
    {"actionSave_Cross_Section", "Save Cross-Section…", "", "Save a picture of one plane of cells.", "", false,
     false, true},
    {"actionExit", "Exit", "Ctrl+Q", "Exit Tessival", "", false, false, true},
    {"actionConsole", "Console", "", "View the console window.", "", true, true, true},
    {"actionUndo", "Undo", "Ctrl+Z", "", "", false, false, false},
    {"actionRedo", "Redo", "Ctrl+Y", "", "", false, false, false},
    {"actionSelect", "Select", "", "", "", true, false, true},
    {"actionCopy", "Copy", "Ctrl+C", "", "", false, false, true},
    {"actionMove", "Move", "", "", "", false, false, true},
    {"actionDelete", "Delete", "", "", "", false, false, true},
    {"actionGrid", "Grid", "", "", "", true, false, true},
    {"actionSnap_to_Grid", "Snap to Grid", "", "", "", true, false, true},
    {"actionGrid_Spacing", "Grid Spacing", "", "", "", false, false, true},
    {"actionCreate_Substrate", "Create Substrate", "", "Create a substrate.",
     "This creates a simulation volume with a substrate inside.", false, false, true},
    {"actionDoping", "Doping", "", "Dope a Si Simulate P and N type doping of Si substrates..",
     "Simulate P and N type doping of Si substrates.", false, false, true},
    {"actionElectrodeposition", "Electroplating", "",
     "Simulates an electrodeposition of a metal over another conductor.", "", false, false, true},
    {"actionIon_Implantation", "Ion Implantation", "", "", "", false, false, true},
    {"actionPVD", "PVD", "", "", "", false, false, true},
    {"actionCVD", "CVD", "", "Run an isotropic film deposition simulation.", "", false, false, true},
    {"actionIsotropic_Film_Etching", "Isotropic Etching", "", "Run an isotropic film etching simulation.", "", false,
     false, true},
    {"actionMoore_Deposition", "Moore Deposition", "", "", "", false, false, true},
    {"actionMoore_Etching", "Moore Etching", "", "", "", false, false, true},
    {"actionPhotolithography", "Photolithography", "", "", "", false, false, true},
    {"actionPlanarization", "Planarization", "", "", "", false, false, true},
    {"actionSi_Oxidation", "Si Oxidation", "", "", "", false, false, true},
    {"actionBCA_Wet_Etching", "Si Wet Etching", "", "", "", false, false, true},
    {"actionContinuous_Wet_Etching", "Si Wet Etching (CCA)", "", "", "", false, false, true},
    {"actionSimple_RIE", "Simple RIE", "", "", "", false, false, true},
    {"actionSpin_Coating", "Pour Material", "", "", "", false, false, true},
    {"actionExtract_Film", "Extract Film", "", "Extract a deposited film from a cell volume.", "", false, false, true},
    {"actionGlue_Substrate", "Glue Substrate", "", "Glue a substrate over another substrate.", "", false, false, true},
    {"actionBatch_Run", "Batch Run", "", "", "", false, false, true},
    {"actionManage_Materials", "Manage Materials", "", "Edit material names, colors and properties.", "", false,
     false, true},
    {"actionManage_Compatible_Materials", "Manage Compatible Materials", "", nullptr,
     "Change what materials may be used with a certain process.", false, false, true},
    {"actionRender_Objects", "Render Objects", "", "Render object as solids.", "", true, true, true},
    {"actionLighting", "Lighting", "", "Enable lighting.", "Enable or disable lighting.", true, true, true},
    {"actionRender_Object_Edges", "Render Object Edges", "", "Render the edges of the cells.", "", true, false, true},
    {"actionChange_Viewing_Options", "Change Cell Volume Viewing Options", "",
     "Change cell volume colors, transparency and use atomic viewing.", "", false, false, true},
    {"actionCut_Cell_Volume", "Cut Cell Volume", "", "Cut Make cuts to view inside the cell volume. Volume",
     "Make cuts to view inside the cell volume.", false, false, true},
    {"actionConfigure_Window_Colors", "Configure Window Colors", "", "Change window background colors.", "", false,
     false, true},
    {"actionFront_View", "Front View", "", "Front View", "", false, false, true},
    {"actionBack_view", "Back View", "", "Back View", "", false, false, true},
    {"actionBottom_View", "Bottom View", "", "", "", false, false, true},
    {"actionTop_View", "Top View", "", "", "", false, false, true},
    {"actionRight_View", "Right View", "", "", "", false, false, true},
    {"actionLeft_View", "Left View", "", "", "", false, false, true},
    {"actionFit_to_Volume", "Fit to Volume", "F", "Centre and zoom the view on the cell volumes.", "", false, false,
     true},
    {"actionShow_Axis", "Show Axis", "", "", "", true, true, true},
    {"actionShow_Legend", "Show Legend", "", "Show the materials of the cell volumes with their colours.", "", true,
     true, true},
    {"actionSet_View", "Set View", "", "", "", false, false, true},
    {"actionSet_Lighting", "Set Lighting", "", "", "", false, false, true},
    {"actionAbout_Tessival", "About Tessival", "", "", "", false, false, true},
    {"actionManual_View", "Manual View", "", "Choose an arbitrary viewing angle.", "", false, false, true},
    {"actionRun_Step", "Run Simulation", "", "Run simulations on the substrate.",
     "This allows you to run simulations such as Si wet etching and photolithography.", false, false, true},
    {"actionZoom", "Zoom", "", "Choose an arbitrary zoom value.", "", false, false, true},
    {"actionTranslate", "Translation", "", "Displace the viewing volume.",
     "Displace the viewing volume. This can be used to center objects on the screen.", false, false, true},
    {"actionModel_Extraction", "Model Extraction", "", "Extract a mechanical model of the cantilevers as a netlist.",
     "Extract a mechanical model for a cantilever.", false, false, true},
    {"actionSi_Stochastic_Wet_Etch", "Si Stochastic Wet Etch", "", "", "", false, false, true},
    {"actionFilm_Deposition", "Film Deposition", "", "", "", false, false, true},
};

// Menus in menu-bar order; "-" is a separator.
struct MenuEntry
{
    const char *name;
    const char *title;
    std::vector<const char *> actions;
};

const MenuEntry Menus[] = {
    {"menuFile", "File", {"actionNew", "actionOpen", "actionSave", "actionSave_as", "-", "actionDocument_Units", "-",
                          "actionExport", "-",
                          "actionSave_Image", "actionSave_Cross_Section", "-", "actionExit"}},
    {"menuEdit", "Edit", {"actionUndo", "actionRedo", "-", "actionSelect", "actionCopy", "actionMove",
                          "actionDelete", "-", "actionGrid", "actionSnap_to_Grid", "actionGrid_Spacing"}},
    {"menuSimulation", "Simulation",
     {"actionCreate_Substrate", "-", "actionDoping", "actionElectrodeposition", "actionIon_Implantation", "actionPVD",
      "actionCVD", "actionIsotropic_Film_Etching", "actionMoore_Deposition", "actionMoore_Etching",
      "actionPhotolithography", "actionPlanarization", "actionSi_Oxidation", "actionBCA_Wet_Etching",
      "actionContinuous_Wet_Etching", "actionSimple_RIE", "actionSpin_Coating", "-", "actionExtract_Film",
      "actionGlue_Substrate", "-", "actionBatch_Run", "-", "actionModel_Extraction"}},
    {"menuMaterials", "Materials", {"actionManage_Materials", "actionManage_Compatible_Materials"}},
    {"menuRendering", "Rendering", {"actionRender_Objects", "actionLighting", "actionRender_Object_Edges", "-",
                                    "actionChange_Viewing_Options", "actionCut_Cell_Volume", "-",
                                    "actionConfigure_Window_Colors"}},
    {"menuView", "View", {"actionFront_View", "actionBack_view", "actionBottom_View", "actionTop_View",
                          "actionRight_View", "actionLeft_View", "-", "actionFit_to_Volume", "-", "actionShow_Axis",
                          "actionShow_Legend", "-", "actionSet_View", "actionSet_Lighting"}},
    {"menuWindows", "Windows", {"actionConsole"}},
    {"menuAbout", "About", {"actionAbout_Tessival"}},
};

struct OperationAction
{
    const char *name;
    unsigned id;
};

const OperationAction OperationActions[] = {
    {"actionCopy", CopyObjectId},
    {"actionCreate_Substrate", CreateSubstrateId},
    {"actionIon_Implantation", IonImplantationId},
    {"actionDelete", DeleteObjectId},
    {"actionChange_Viewing_Options", ChangeVisualizationOptionsId},
    {"actionMove", MoveObjectId},
    {"actionExtract_Film", ExtractFilmId},
    {"actionSave", SaveDocumentId},
    {"actionSave_as", SaveDocumentAsId},
    {"actionOpen", OpenDocumentId},
    {"actionGlue_Substrate", GlueSubstrateId},
    {"actionCVD", IsotropicDepositionId},
    {"actionIsotropic_Film_Etching", IsotropicEtchingId},
    {"actionElectrodeposition", ElectrodepositionId},
    {"actionCut_Cell_Volume", CutCellVolumeId},
    {"actionDoping", DopingId},
    {"actionMoore_Deposition", MooreDepositionId},
    {"actionMoore_Etching", MooreEtchingId},
    {"actionPhotolithography", PhotolithographyId},
    {"actionPlanarization", PlanarizationId},
    {"actionSpin_Coating", SpinCoatingId},
    {"actionBatch_Run", BatchRunId},
    {"actionSi_Oxidation", SiOxidationId},
    {"actionPVD", AnisotropicDepositionId},
    {"actionBCA_Wet_Etching", AtomisticWetEtchingId},
    {"actionContinuous_Wet_Etching", ContinuousWetEtchingId},
    {"actionSimple_RIE", SimpleReactiveIonEtchingId},
    {"actionModel_Extraction", ModelExtractionId},
    {"actionExport", ExportVolumeId},
    {"actionSave_Cross_Section", SaveCrossSectionId},
    {"actionDocument_Units", DocumentUnitsId},
};

const std::pair<const char *, const char *> ViewActions[] = {
    {"actionFront_View", "front"}, {"actionBack_view", "back"},   {"actionTop_View", "top"},
    {"actionBottom_View", "bottom"}, {"actionLeft_View", "left"}, {"actionRight_View", "right"},
    {"actionManual_View", "manual"},
};

QString formText(const char *text)
{
    return QCoreApplication::translate(Context, text);
}

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

float at(const std::vector<float> &v, std::size_t i)
{
    return i < v.size() ? v[i] : 0.0f;
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainWindowForm"));
    resize(800, 600);
    buildActions();
    buildMenus();
    retranslate();
    statusBar();

    m_presenter.reset(new MainWindowPresenter(this));
    m_operationMapper = new OperationMapper(this);
    m_viewMapper = new OperationMapper(this);
    m_enter = new QShortcut(QKeySequence(Qt::Key_Enter), this);
    m_return = new QShortcut(QKeySequence(Qt::Key_Return), this);
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);

    m_view = new GLWidget(this, &m_presenter->context());
    setCentralWidget(m_view);
    m_presenter->attachView(m_view);

    mapActions();
    connect(m_operationMapper, &OperationMapper::activated, m_presenter.get(), &MainWindowPresenter::operationActivated);
    connect(m_viewMapper, &OperationMapper::activated, this, &MainWindow::setView);
    connect(m_enter, &QShortcut::activated, m_presenter.get(), &MainWindowPresenter::enterPressed);
    connect(m_return, &QShortcut::activated, m_presenter.get(), &MainWindowPresenter::enterPressed);
    connect(m_escape, &QShortcut::activated, m_presenter.get(), &MainWindowPresenter::cancelPressed);

    m_presenter->context().selectionManager().addObserver(boost::shared_ptr<Util::IObserver>(
        new Observers::SelectionModeObserver(action(QStringLiteral("actionSelect")),
                                             &m_presenter->context().selectionManager())));

    setAttribute(Qt::WA_DeleteOnClose);
    connect(m_view, &GLWidget::axisPositionChanged, this, &MainWindow::changeAxisPositionValue_staturBar);
    connect(m_view, &GLWidget::viewPositionChanged, this, &MainWindow::changeViewPostionValue_statusBar);
    connect(m_view, &GLWidget::rotationChanged, this, &MainWindow::changeRotationValue_statusBar);
    connect(m_view, &GLWidget::zoomChanged, this, &MainWindow::changeZoomValue_statusBar);
    connect(m_view, &GLWidget::lampPositionChanged, this, &MainWindow::changeLampPosition_statusBar);
    connectActions();
}

MainWindow::~MainWindow()
{
    // The view draws the presenter's document: it goes first.
    delete takeCentralWidget();
    m_view = nullptr;
    m_presenter.reset();
}

QAction *MainWindow::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName, Qt::FindDirectChildrenOnly);
}

void MainWindow::buildActions()
{
    for (const ActionEntry &entry : Actions) {
        auto *item = new QAction(this);
        item->setObjectName(QLatin1String(entry.name));
        item->setCheckable(entry.checkable);
        item->setChecked(entry.checked);
        item->setEnabled(entry.enabled);
        if (entry.shortcut && *entry.shortcut)
            item->setShortcut(QKeySequence(QLatin1String(entry.shortcut)));
    }
}

void MainWindow::buildMenus()
{
    for (const MenuEntry &entry : Menus) {
        auto *menu = new QMenu(menuBar());
        menu->setObjectName(QLatin1String(entry.name));
        for (const char *name : entry.actions) {
            if (QLatin1String(name) == QLatin1String("-"))
                menu->addSeparator();
            else
                menu->addAction(action(QLatin1String(name)));
        }
        menuBar()->addMenu(menu);
    }
}

void MainWindow::retranslate()
{
    setWindowTitle(formText("Tessival"));
    for (const ActionEntry &entry : Actions) {
        QAction *item = action(QLatin1String(entry.name));
        item->setText(formText(entry.text));
        const bool twoTips = entry.statusTip && *entry.statusTip;
        if (entry.toolTip && *entry.toolTip)
            item->setToolTip(formText(entry.toolTip));
        if (twoTips)
            item->setStatusTip(formText(entry.statusTip));
        else if (entry.toolTip && *entry.toolTip)
            item->setStatusTip(formText(entry.toolTip));
    }
    action(QStringLiteral("actionCreate_Substrate"))
        ->setWhatsThis(formText("This creates a simulation volume with a substrate inside. This is the first step in "
                          "running simulations using Tessival."));
    for (const MenuEntry &entry : Menus)
        menuBar()->findChild<QMenu *>(QLatin1String(entry.name))->setTitle(formText(entry.title));
    if (m_presenter) {
        m_presenter->undoStackChanged();
        m_presenter->redoStackChanged();
        m_presenter->refreshTitle();
    }
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the window, Exit, and the end of the program all come here.
    if (m_presenter->confirmClose())
        event->accept();
    else
        event->ignore();
}

void MainWindow::mapActions()
{
    for (const OperationAction &entry : OperationActions) {
        QAction *item = action(QLatin1String(entry.name));
        // Steps not built yet say so on the console rather than doing nothing.
        if (Core::Operations::OperationFactory::builds(entry.id)) {
            m_operationMapper->map(item, entry.id);
            continue;
        }
        connect(item, &QAction::triggered, this, [this, item] {
            m_presenter->postConsoleLine(item->text(), formText("This step is not available yet."));
        });
    }
    for (const auto &entry : ViewActions)
        m_viewMapper->map(action(QLatin1String(entry.first)), QLatin1String(entry.second));
}

void MainWindow::connectActions()
{
    auto triggered = [this](const char *name, void (MainWindow::*slot)()) {
        connect(action(QLatin1String(name)), &QAction::triggered, this, slot);
    };
    auto toggled = [this](const char *name, void (MainWindow::*slot)(bool)) {
        connect(action(QLatin1String(name)), &QAction::toggled, this, slot);
    };
    connect(action(QStringLiteral("actionExit")), &QAction::triggered, this, &QWidget::close);
    triggered("actionSave_Image", QOverload<>::of(&MainWindow::saveImage));
    toggled("actionConsole", &MainWindow::showConsole);
    triggered("actionUndo", &MainWindow::undoOperation);
    triggered("actionRedo", &MainWindow::redoOperation);
    toggled("actionSelect", &MainWindow::selectionToggled);
    toggled("actionGrid", &MainWindow::renderGridToggled);
    toggled("actionSnap_to_Grid", &MainWindow::snapToGridToggled);
    triggered("actionGrid_Spacing", &MainWindow::changeGridSpacing);
    toggled("actionRender_Objects", &MainWindow::renderObjectsToggled);
    toggled("actionLighting", &MainWindow::lightingToggled);
    toggled("actionRender_Object_Edges", &MainWindow::renderObjectEdgesToggled);
    triggered("actionConfigure_Window_Colors", &MainWindow::changeWindowColors);
    triggered("actionAbout_Tessival", &MainWindow::showAboutInfo);
    triggered("actionFit_to_Volume", &MainWindow::fitToVolume);
    toggled("actionShow_Legend", &MainWindow::showLegendToggled);
    // The on_action... slots find their actions by name.
    QMetaObject::connectSlotsByName(this);
}

void MainWindow::showConsole(bool show)
{
    m_presenter->showConsole(show);
}

void MainWindow::undoOperation()
{
    m_presenter->undo();
    m_view->updateGL();
}

void MainWindow::redoOperation()
{
    m_presenter->redo();
    m_view->updateGL();
}

void MainWindow::selectionToggled(bool checked)
{
    m_presenter->selectModeToggled(checked);
}

void MainWindow::lightingToggled(bool checked)
{
    m_view->setLighting(checked);
    m_view->updateGL();
}

void MainWindow::renderObjectsToggled(bool checked)
{
    m_view->setRenderObjects(checked);
    m_view->updateGL();
}

void MainWindow::renderObjectEdgesToggled(bool checked)
{
    m_view->setRenderObjectEdges(checked);
    m_view->updateGL();
}

void MainWindow::setView(const QString &viewAngle)
{
    struct Angles { const char *name; float x, y, z; };
    const Angles views[] = {{"front", -90, 0, 0}, {"back", -90, 0, 180}, {"left", -90, 0, 90},
                            {"right", -90, 0, -90}, {"top", 0, 0, 0},     {"bottom", 180, 0, 0}};
    for (const Angles &view : views)
        if (viewAngle == QLatin1String(view.name))
            m_view->setRotation(view.x, view.y, view.z);
}

void MainWindow::fitToVolume()
{
    if (!m_view->fitToVolumes())
        m_presenter->postConsoleLine(formText("Fit to Volume"), formText("There is no cell volume to show."));
}

void MainWindow::showLegendToggled(bool checked)
{
    m_view->setShowLegend(checked);
    m_view->updateGL();
}

void MainWindow::renderGridToggled(bool checked)
{
    m_view->setRenderGrid(checked);
    m_view->updateGL();
}

void MainWindow::snapToGridToggled(bool checked)
{
    // Nothing places objects by clicking yet, so there is nothing to snap;
    // the flag is kept for when something does.
    m_snapToGrid = checked;
    m_view->updateGL();
}

void MainWindow::changeGridSpacing()
{
    Input::ChangeGridSpacingDialog dialog(this);
    dialog.setSpacing(m_view->grid().spacing);
    if (dialog.exec() == QDialog::Accepted) {
        m_view->grid().spacing = float(dialog.spacing());
        m_view->updateGL();
    }
}

void MainWindow::changeWindowColors()
{
    Input::ChangeColorsDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) {
        dialog.apply();
        m_view->updateGL();
    }
}

void MainWindow::saveImage(const QString &filename)
{
    QString error;
    if (!m_view->saveImage(filename, &error) && !error.isEmpty()) {
        QMessageBox::warning(this, formText("Save Image"),
                             formText("The image could not be saved to %1: %2").arg(filename, error));
    }
}

void MainWindow::saveImage()
{
    QString error;
    if (!m_view->saveImage(QString(), &error) && !error.isEmpty()) {
        QMessageBox::warning(this, formText("Save Image"),
                             formText("The image could not be saved to %1: %2").arg(m_view->lastImagePath(), error));
    }
}

void MainWindow::showAboutInfo()
{
    AboutWindow about(this);
    about.exec();
}

void MainWindow::on_actionManage_Materials_triggered()
{
    m_presenter->manageMaterials();
    m_view->updateGL();
}

void MainWindow::on_actionManage_Compatible_Materials_triggered()
{
    m_presenter->manageCompatibleMaterials();
}

void MainWindow::on_actionNew_triggered()
{
    m_presenter->newDocument();
}

void MainWindow::on_actionSet_View_triggered()
{
    openViewProperties(0);
}

void MainWindow::on_actionSet_Lighting_triggered()
{
    openViewProperties(1);
}

void MainWindow::on_actionShow_Axis_toggled(bool checked)
{
    m_view->setShowAxis(checked);
}

void MainWindow::openViewProperties(unsigned tab)
{
    LampSet &lamps = m_view->lamps();
    const unsigned active = lamps.activeLamp() == 0 ? 1 : lamps.activeLamp();
    ViewProperties dialog(this, lamps.count(), active, tab);
    const ViewTransform &transform = m_view->viewTransform();
    dialog.setScreenPan(transform.screenPan()[0], transform.screenPan()[1]);
    const auto &d = transform.displacement();
    dialog.setDisplacement(d[0], d[1], d[2]);
    const auto &a = transform.angles();
    dialog.setRotation(a[0], a[1], a[2]);
    dialog.setZoom(m_view->zoom() * 100.0f);
    for (unsigned lamp = 1; lamp <= lamps.count(); ++lamp)
        dialog.setLamp(lamp, lamps.radius(lamp), lamps.azimuth(lamp), lamps.elevation(lamp), lamps.isVisible(lamp));
    if (dialog.exec() != QDialog::Accepted)
        return;

    m_view->setScreenPan(dialog.screenPanX(), dialog.screenPanY());
    m_view->setDisplacement(dialog.displacementX(), dialog.displacementY(), dialog.displacementZ());
    m_view->setRotation(dialog.rotationX(), dialog.rotationY(), dialog.rotationZ());
    lamps.setCount(dialog.lampCount());
    for (unsigned lamp = 1; lamp <= lamps.count(); ++lamp) {
        const ViewProperties::Lamp values = dialog.lamp(lamp);
        lamps.setAngles(lamp, values.azimuth, values.elevation);
        lamps.setRadius(lamp, values.radius);
        lamps.setVisible(lamp, values.visible);
    }
    m_view->setZoom(dialog.zoom() / 100.0f);
}

void MainWindow::showStatus(const QString &text)
{
    statusBar()->showMessage(text, 5000);
}

void MainWindow::changeRotationValue_statusBar(std::vector<float> v)
{
    showStatus(formText("Rotation angles: X Axis = ") + number(at(v, 0)) + formText(" Y Axis = ") + number(at(v, 1))
               + formText(" Z axis = ") + number(at(v, 2)));
}

QString MainWindow::length(float worldUnits) const
{
    return m_presenter ? m_presenter->context().document().lengthUnit().format(worldUnits) : number(worldUnits);
}

void MainWindow::changeAxisPositionValue_staturBar(std::vector<float> v)
{
    showStatus(formText("Volume position in relation to the axes: X = ") + length(at(v, 0)) + formText(" Y = ")
               + length(at(v, 1)) + formText(" Z = ") + length(at(v, 2)));
}

void MainWindow::changeViewPostionValue_statusBar(std::vector<float> v)
{
    showStatus(formText("Volume position in relation to the screen: X = ") + length(at(v, 0)) + formText(" Y = ")
               + length(at(v, 1)));
}

void MainWindow::changeZoomValue_statusBar(float value)
{
    showStatus(formText("Zoom = ") + number(value) + QLatin1Char('%'));
}

void MainWindow::changeLampPosition_statusBar(std::vector<float> v)
{
    showStatus(formText("Lamp ") + QString::number(int(at(v, 0))) + formText(" Position : Radius = ") + number(at(v, 1))
               + formText(" Angle θ = ") + number(at(v, 2)) + formText(" Angle φ = ") + number(at(v, 3)));
}

void MainWindow::repaintCentralWidget()
{
    m_view->repaint();
}

} // namespace Ui
