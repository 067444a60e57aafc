#pragma once

#include "Core/Operations/OperationContext.h"

#include <QObject>
#include <QString>

#include <boost/shared_ptr.hpp>

namespace Ui {

class GLWidget;
class MainWindow;

namespace Console {
class CommandConsole;
}
namespace Observers {
class DocumentSavedObserver;
class UndoRedoObserver;
class UpdateObserver;
}

// Runs one main window's operations: owns their context and the console
// window, starts operations from the window's actions, forwards Enter and
// Escape, and keeps the Undo and Redo actions on the history.
class MainWindowPresenter : public QObject
{
    Q_OBJECT

public:
    explicit MainWindowPresenter(MainWindow *window);
    ~MainWindowPresenter() override;

    Core::Operations::OperationContext &context() { return m_context; }
    Console::CommandConsole *console() const { return m_console; }

    // Lets the operations' updates redraw this view.
    void attachView(GLWidget *view);

    void selectModeToggled(bool on);
    void showConsole(bool show);
    void undo();
    void redo();
    // Asks first; on Ok everything of the document is dropped.
    void newDocument();
    // Before the window closes: with unsaved changes, asks whether to save
    // them. False keeps the window open (cancelled, or the save did not
    // happen).
    bool confirmClose();
    // The window title for the document's file and unsaved changes.
    void refreshTitle();
    void manageMaterials();
    void manageCompatibleMaterials();
    // Has the views of the other main windows drawn again, as after a change
    // of the shared material colours.
    void redrawOtherWindows();
    // A console line in the operations' form, "<title>: <sentence>".
    void postConsoleLine(const QString &title, const QString &sentence);

public slots:
    void undoStackChanged();
    void redoStackChanged();
    void operationActivated(const QString &operationId);
    void enterPressed();
    void cancelPressed();

private:
    void placeConsole();

    MainWindow *m_window;
    Core::Operations::OperationContext m_context;
    Console::CommandConsole *m_console;
    boost::shared_ptr<Observers::UndoRedoObserver> m_undoObserver;
    boost::shared_ptr<Observers::UndoRedoObserver> m_redoObserver;
    boost::shared_ptr<Observers::UpdateObserver> m_updateObserver;
    boost::shared_ptr<Observers::DocumentSavedObserver> m_titleObserver;
};

} // namespace Ui
