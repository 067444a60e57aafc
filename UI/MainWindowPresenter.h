#pragma once

#include "Core/Operations/Catalogues/CatalogueEdits.h"
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
    // Drops everything of the document, after asking to save unsaved
    // changes as closing does.
    void newDocument();
    // Before the window closes: with unsaved changes, asks whether to save
    // them. False keeps the window open (cancelled, or the save did not
    // happen).
    bool confirmClose();
    // With unsaved changes, asks "Save changes to ...?" (Save, Discard,
    // Cancel) and saves on Save. True when nothing unsaved is left or the
    // user chose to discard it.
    bool settleUnsavedChanges();
    // The window title for the document's file and unsaved changes.
    void refreshTitle();
    void manageMaterials();
    void manageCompatibleMaterials();
    // Stores materials edited in a dialog titled `title` in the catalogue and
    // its file, and has the views of every window show them; warns when the
    // file could not be written.
    static void storeMaterials(const std::vector<Model::Materials::Material> &materials,
                               Core::Operations::OperationContext &context, QWidget *window, const QString &title);
    // The question before a catalogue file that could not be read at
    // start-up is written over.
    static Core::Operations::CatalogueEdits::ConfirmOverwrite confirmOverwrite(QWidget *window, const QString &title);
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
    static void redrawWindowsOtherThan(const Core::Operations::OperationContext &context);
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
