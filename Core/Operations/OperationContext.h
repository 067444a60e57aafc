#pragma once

#include "Core/Operations/ConsoleInput.h"
#include "Core/Operations/OperationHistory.h"
#include "Core/Operations/PickInput.h"
#include "Core/Operations/ProcessRecords.h"
#include "Core/Operations/SelectionManager.h"
#include "Core/Operations/StepRunner.h"
#include "Core/Operations/Undo/StateFiles.h"
#include "Model/Document.h"
#include "Model/Persistence/DocumentArchiver.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Util {
class IObserver;
}

namespace Core {
namespace Operations {

class DocumentRecovery;
class IDocumentDialogs;
class IOperationFactory;
class Operation;

// Everything the operations of one main window share: the current
// operation, the console input, the picks and the selection, the document,
// the history, the views to refresh and the per-volume process records.
// Operations keep a plain pointer to it; it must outlive them, which it
// ensures for the operations it holds itself.
class OperationContext
{
public:
    using ObserverPtr = boost::shared_ptr<Util::IObserver>;

    OperationContext();
    ~OperationContext();
    OperationContext(const OperationContext &) = delete;
    OperationContext &operator=(const OperationContext &) = delete;

    // Cancels the current operation, then creates and executes the one of
    // `id`. An id without an operation leaves nothing current. Nothing
    // starts while a step runs.
    void startOperation(unsigned id);
    // The current operation is done: undoable ones enter the history. Both
    // clear the selection and refresh the views.
    void endOperation();
    void abandonOperation();
    void notifyUpdate();

    // Escape: cancel whatever is current, clear the selection, refresh.
    // While a step runs, only the step's own Cancel stops it.
    void cancelCurrentOperation();
    // A new, empty document: no current operation, no history, no pending
    // input, no objects, no file name and no process records. Refused while
    // a step runs.
    void newDocument();

    // Runs the long part of the current operation through the step runner.
    // Meanwhile no operation starts, ends or is undone: the runner may keep
    // the window's events flowing while the work goes on.
    StepRunner::Outcome runStep(const std::string &title, const StepRunner::Work &work);
    bool isRunningStep() const { return m_runningStep; }
    // The window's runner; null restores the one that runs steps on the
    // calling thread.
    void setStepRunner(const boost::shared_ptr<StepRunner> &runner);

    // Changes since the document was last saved, opened or made new, as
    // far as the history can tell: undoing back to the saved state counts
    // as no change.
    bool hasUnsavedChanges() const { return !m_history.isAtSavedState(); }

    // A step changed cells that no undo record holds (the undo files could
    // not be written): the history goes, since undoing past the step would
    // silently throw its result away, and the document counts as changed
    // until it is saved. The first such step since undo last worked also
    // has the window warn that undo is off.
    void keepUnrecordedChange();
    // A step's cells were recorded: undo works (again).
    void noteRecordedChange() { m_undoOff = false; }

    boost::shared_ptr<Operation> currentOperation() const { return m_currentOperation; }

    ConsoleInput &consoleInput() { return m_consoleInput; }
    PickInput &pickInput() { return m_pickInput; }
    Model::Document &document() { return m_document; }
    OperationHistory &history() { return m_history; }
    SelectionManager &selectionManager() { return m_selectionManager; }
    ProcessRecords &processRecords() { return m_processRecords; }
    StateFiles &stateFiles() { return m_stateFiles; }
    // The object archivers of the document format.
    const Model::Persistence::ArchiverRegistry &archivers() const { return m_archivers; }
    // The window's file dialogs and message boxes; none without a window.
    void setDocumentDialogs(const boost::shared_ptr<IDocumentDialogs> &dialogs) { m_documentDialogs = dialogs; }
    boost::shared_ptr<IDocumentDialogs> documentDialogs() const { return m_documentDialogs; }

    void addUpdateObserver(const ObserverPtr &observer);
    const std::vector<ObserverPtr> &updateObservers() const { return m_updateObservers; }

    // The recovery copy of a window's document (none by default: only the
    // window program keeps one), renewed after every change of the history
    // and taken away where the document matches its file.
    void setRecovery(const boost::shared_ptr<DocumentRecovery> &recovery);
    boost::shared_ptr<DocumentRecovery> recovery() const { return m_recovery; }
    // A fresh recovery copy, also for a change the history does not hold
    // yet (`unrecorded`: a step of a batch run). False when a process holds
    // cells now and the copy has to be asked for again later.
    bool keepRecoveryCopy(bool unrecorded = false);

    void setOperationFactory(const boost::shared_ptr<IOperationFactory> &factory);
    boost::shared_ptr<IOperationFactory> operationFactory() const { return m_factory; }

private:
    void leaveCurrentOperation(bool recordInHistory);

    // Declared first so that it outlives the operations below: they drop
    // their console requests when they go.
    ConsoleInput m_consoleInput;
    PickInput m_pickInput;
    Model::Document m_document;
    SelectionManager m_selectionManager;
    ProcessRecords m_processRecords;
    // Before the history: operations release their records when they go.
    StateFiles m_stateFiles;
    Model::Persistence::ArchiverRegistry m_archivers;
    boost::shared_ptr<IDocumentDialogs> m_documentDialogs;
    std::vector<ObserverPtr> m_updateObservers;
    OperationHistory m_history;
    boost::shared_ptr<IOperationFactory> m_factory;
    boost::shared_ptr<StepRunner> m_stepRunner;
    bool m_runningStep = false;
    // The undo files failed for the last step that changed cells.
    bool m_undoOff = false;
    boost::shared_ptr<Operation> m_currentOperation;
    boost::shared_ptr<DocumentRecovery> m_recovery;
};

} // namespace Operations
} // namespace Core
