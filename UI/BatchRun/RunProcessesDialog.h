#pragma once

#include "UI/BatchRun/BatchListRun.h"
#include "UI/BatchRun/ProcessData.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <boost/shared_ptr.hpp>

#include <list>
#include <map>
#include <memory>

class QCheckBox;
class QComboBox;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace Model {
namespace Automaton {
class TotalVolume;
}
}

namespace Core {
namespace Operations {
class BatchRunOperation;
class OperationContext;
}
}

namespace Ui {

class GLWidget;

// "Batch Run": composes a list of process steps through the steps' own
// option dialogs, stores and loads it as a process list file, and runs it
// on one cell volume (or on the one its "Create Substrate" entry makes)
// while the window stays alive. The view follows each entry as it ends;
// entries that did not run are marked in the list with the reason, and said
// on the console.
class RunProcessesDialog : public QDialog
{
    Q_OBJECT

public:
    // How often a run's progress is looked at, in milliseconds.
    static constexpr int ProgressInterval = 500;

    // `view` (which may be null) is repainted as the run goes and draws
    // the pictures of "Save Image" entries; without one they are drawn off
    // screen.
    RunProcessesDialog(Core::Operations::OperationContext *context,
                       const boost::shared_ptr<Model::Automaton::TotalVolume> &volume, GLWidget *view,
                       QWidget *parent = nullptr);
    ~RunProcessesDialog() override;

    const std::list<ProcessData> &entries() const { return m_entries; }
    void setEntries(const std::list<ProcessData> &entries);
    boost::shared_ptr<Model::Automaton::TotalVolume> volume() const { return m_volume; }
    bool isRunning() const;
    // Why an entry of the last run did not run; empty for one that did.
    QString problemOf(int entryId) const;

    // What Save List and Load List do once a file is chosen. A list that
    // cannot be read leaves the dialog's list as it was; both warn. A list
    // with elements that are not part of one is loaded without them, and
    // the warning names each with its line.
    bool saveList(const QString &fileName);
    bool loadList(const QString &fileName);
    // The folder "Save each step to…" writes into; empty: no steps are saved.
    void setStepFolder(const QString &folder);
    const QString &stepFolder() const { return m_stepFolder; }

    QTreeWidget *tree() const { return m_tree; }
    QComboBox *processChoice() const { return m_choice; }
    QProgressBar *progressBar() const { return m_progress; }
    QPushButton *runButton() const { return m_run; }

public slots:
    void on_btnAddProcess_clicked();
    void on_btnClose_clicked();
    void on_btnRun_clicked();
    void on_btnRemoveProcess_clicked();
    void on_btnMoveUp_clicked();
    void on_btnMoveDown_clicked();
    void on_btnSaveList_clicked();
    void on_btnLoadList_clicked();
    void selectionChanged();
    void updateProgress();
    // Redraws the current volume and, given a file name, writes the view's
    // picture to it; false with the reason when it could not.
    bool updateGeometry(const QString &filename, QString *problem = nullptr);

signals:
    // The end of a run has been reported (the list, the view, the history).
    void runFinished();

protected:
    // Escape and the window's close button go through Close.
    void reject() override;

private:
    void refresh();
    // The entry id of the first selected process row, or -1.
    int selectedEntryId() const;
    void move(int entryId, int by);
    void finishRun();
    // A run that changed something becomes one entry of the history.
    void recordRun(const std::vector<BatchListRun::Outcome> &outcomes);
    // Marks the entries of outcomes the window has not heard of yet.
    void takeOutcomes();
    bool saveImage(const QString &filename, QString *problem);

    Core::Operations::OperationContext *m_context;
    boost::shared_ptr<Model::Automaton::TotalVolume> m_volume;
    QPointer<GLWidget> m_view;
    std::list<ProcessData> m_entries;
    std::unique_ptr<BatchListRun> m_batch;
    boost::shared_ptr<Core::Operations::BatchRunOperation> m_record;
    bool m_recordable = false;
    QTimer m_timer;
    // Entries of the last run that did not run, by id, with the reason.
    std::map<int, QString> m_problems;
    std::size_t m_outcomesSeen = 0;
    int m_runLength = 0;
    bool m_closeAfterRun = false;
    // A step ended while the next one held the cells: no recovery copy yet.
    bool m_recoveryCopyDue = false;

    QTreeWidget *m_tree;
    QComboBox *m_choice;
    QPushButton *m_run;
    QPushButton *m_close;
    // "Save each step to…": the folder the runs write each step into.
    QCheckBox *m_saveSteps;
    QString m_stepFolder;
    QProgressBar *m_progress;
};

} // namespace Ui
