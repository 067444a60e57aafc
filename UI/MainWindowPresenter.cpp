#include "UI/MainWindowPresenter.h"

#include "Core/Operations/Catalogues/CatalogueEdits.h"
#include "Core/Operations/Documents/DocumentRecovery.h"
#include "Core/Operations/OperationId.h"
#include "Model/Materials/MaterialFactory.h"
#include "Model/Process/ProcessFactory.h"
#include "UI/Console/CommandConsole.h"
#include "UI/DocumentDialogs.h"
#include "UI/EditCompatibleMaterialsDialog.h"
#include "UI/GLWidget.h"
#include "UI/MainWindow.h"
#include "UI/ManageMaterialsDialog.h"
#include "UI/Observers/DocumentSavedObserver.h"
#include "UI/Observers/UndoRedoObserver.h"
#include "UI/Observers/UpdateObserver.h"
#include "UI/OperationFactory.h"
#include "UI/ProgressDialogStepRunner.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>

#include <boost/make_shared.hpp>

namespace Ui {

MainWindowPresenter::MainWindowPresenter(MainWindow *window)
    : QObject(window)
    , m_window(window)
    , m_console(new Console::CommandConsole(window, &m_context.consoleInput()))
    , m_undoObserver(new Observers::UndoRedoObserver)
    , m_redoObserver(new Observers::UndoRedoObserver)
    , m_titleObserver(new Observers::DocumentSavedObserver(&m_context, window))
{
    placeConsole();
    m_console->greet();
    m_console->show();

    m_context.history().addUndoObserver(m_undoObserver);
    connect(m_undoObserver.get(), &Observers::UndoRedoObserver::stackChanged, this,
            &MainWindowPresenter::undoStackChanged);
    m_context.history().addRedoObserver(m_redoObserver);
    connect(m_redoObserver.get(), &Observers::UndoRedoObserver::stackChanged, this,
            &MainWindowPresenter::redoStackChanged);
    m_context.history().addSavedStateObserver(m_titleObserver);

    m_context.setOperationFactory(boost::make_shared<OperationFactory>(&m_context, window));
    m_context.setDocumentDialogs(boost::make_shared<DocumentDialogs>(window));
    m_context.setStepRunner(boost::make_shared<ProgressDialogStepRunner>(window));
    m_context.setRecovery(boost::make_shared<Core::Operations::DocumentRecovery>(
        &Core::Operations::DocumentRecovery::folderOfThisProgram(), Core::Operations::DocumentRecovery::nextFileName()));
}

MainWindowPresenter::~MainWindowPresenter()
{
    delete m_console;
}

void MainWindowPresenter::placeConsole()
{
    QScreen *screen = m_window ? m_window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    m_console->move(int(0.9 * (available.width() - m_console->width())),
                    int(0.9 * (available.height() - m_console->height())));
}

void MainWindowPresenter::attachView(GLWidget *view)
{
    m_updateObserver.reset(new Observers::UpdateObserver);
    m_context.addUpdateObserver(m_updateObserver);
    connect(m_updateObserver.get(), &Observers::UpdateObserver::updateGL, view, &GLWidget::updateGL);
}

void MainWindowPresenter::undoStackChanged()
{
    const QString title = QString::fromStdString(m_context.history().undoTitle());
    QAction *action = m_window->undoAction();
    action->setText(tr("Undo ") + title);
    action->setEnabled(!title.isEmpty());
}

void MainWindowPresenter::redoStackChanged()
{
    const QString title = QString::fromStdString(m_context.history().redoTitle());
    QAction *action = m_window->redoAction();
    action->setText(tr("Redo ") + title);
    action->setEnabled(!title.isEmpty());
}

void MainWindowPresenter::operationActivated(const QString &operationId)
{
    m_context.startOperation(operationId.toUInt());
}

void MainWindowPresenter::enterPressed()
{
    m_console->enterPressed();
}

void MainWindowPresenter::cancelPressed()
{
    m_context.cancelCurrentOperation();
}

void MainWindowPresenter::selectModeToggled(bool on)
{
    if (on != m_context.selectionManager().mode())
        m_context.selectionManager().setMode(on);
}

void MainWindowPresenter::showConsole(bool show)
{
    m_console->setVisible(show);
}

void MainWindowPresenter::undo()
{
    m_context.history().undo();
}

void MainWindowPresenter::redo()
{
    m_context.history().redo();
}

void MainWindowPresenter::newDocument()
{
    if (!m_context.isRunningStep() && settleUnsavedChanges())
        m_context.newDocument();
}

Core::Operations::CatalogueEdits::ConfirmOverwrite MainWindowPresenter::confirmOverwrite(QWidget *window,
                                                                                    const QString &title)
{
    return [window, title](const QString &path) {
        const auto answer = QMessageBox::question(
            window, title,
            QObject::tr("%1 could not be read when Tessival started and was left as it was. Replace it?").arg(path),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        return answer == QMessageBox::Yes;
    };
}

void MainWindowPresenter::redrawOtherWindows()
{
    redrawWindowsOtherThan(m_context);
}

void MainWindowPresenter::redrawWindowsOtherThan(const Core::Operations::OperationContext &context)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *window = qobject_cast<MainWindow *>(widget);
        if (window && window->presenter() && &window->presenter()->context() != &context)
            window->presenter()->context().notifyUpdate();
    }
}

void MainWindowPresenter::postConsoleLine(const QString &title, const QString &sentence)
{
    m_context.consoleInput().postMessage((title + QStringLiteral(": ") + sentence).toStdString());
}

bool MainWindowPresenter::confirmClose()
{
    // The step works on this window's document until it has stopped.
    return !m_context.isRunningStep() && settleUnsavedChanges();
}

bool MainWindowPresenter::settleUnsavedChanges()
{
    if (!m_context.hasUnsavedChanges())
        return true;
    const QString fileName = m_context.document().fileName();
    const QString name = fileName.isEmpty() ? tr("this document") : QFileInfo(fileName).fileName();
    const auto answer = QMessageBox::question(m_window, tr("Unsaved changes"), tr("Save changes to %1?").arg(name),
                                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                              QMessageBox::Save);
    if (answer == QMessageBox::Discard)
        return true;
    if (answer != QMessageBox::Save)
        return false;
    // Asks for a name when there is none; a dismissed or failed save
    // leaves the changes unsaved.
    m_context.startOperation(Core::Operations::SaveDocumentId);
    return !m_context.hasUnsavedChanges();
}

void MainWindowPresenter::refreshTitle()
{
    m_titleObserver->notify();
}

void MainWindowPresenter::manageMaterials()
{
    // New colours would make the running step's volume redraw from its cells.
    if (m_context.isRunningStep())
        return;
    const auto catalogue = Model::Materials::MaterialFactory::getInstance();
    ManageMaterialsDialog dialog(catalogue->getMaterials(), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    storeMaterials(dialog.materials(), m_context, m_window, tr("Manage Materials"));
}

void MainWindowPresenter::storeMaterials(const std::vector<Model::Materials::Material> &materials,
                                         Core::Operations::OperationContext &context, QWidget *window,
                                         const QString &title)
{
    const auto catalogue = Model::Materials::MaterialFactory::getInstance();
    const bool saved = Core::Operations::CatalogueEdits::applyMaterials(materials, *catalogue, context,
                                                                        confirmOverwrite(window, title));
    // The colours are shared: the volumes of every window take them at their
    // next frame (this window's context has just asked for one).
    redrawWindowsOtherThan(context);
    if (!saved) {
        QMessageBox::warning(window, title,
                             tr("The materials could not be saved to %1. The changes hold until Tessival is "
                                "closed.")
                                 .arg(catalogue->filePath()));
    }
}

void MainWindowPresenter::manageCompatibleMaterials()
{
    const auto processes = Model::Process::ProcessFactory::getInstance();
    EditCompatibleMaterialsDialog dialog(processes->getProcesses(),
                                         Model::Materials::MaterialFactory::getInstance()->getMaterials(), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!Core::Operations::CatalogueEdits::applyProcesses(dialog.processes(), *processes,
                                                          confirmOverwrite(m_window,
                                                                           tr("Manage Compatible Materials")))) {
        QMessageBox::warning(m_window, tr("Manage Compatible Materials"),
                             tr("The processes could not be saved to %1. The changes hold until Tessival is "
                                "closed.")
                                 .arg(processes->filePath()));
    }
}

} // namespace Ui
