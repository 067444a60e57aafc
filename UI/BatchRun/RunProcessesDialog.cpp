#include "UI/BatchRun/RunProcessesDialog.h"

#include "Core/Operations/Objects/BatchRunOperation.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/ProcessRegistry.h"
#include "Model/Automaton/TotalVolume.h"
#include "UI/BatchRun/BatchEntryDialogs.h"
#include "UI/BatchRun/BatchListRun.h"
#include "UI/BatchRun/ProcessListArchiver.h"
#include "UI/GLWidget.h"
#include "UI/View/SceneImage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressBar>
#include <QCheckBox>
#include <QPushButton>
#include <QStyle>
#include <QThread>
#include <QTreeWidget>

#include <algorithm>

namespace Ui {

namespace {

const char Title[] = "Batch Run";
const QSize ImageSize(1024, 768);

QString tr(const char *text)
{
    return QCoreApplication::translate("Ui::RunProcessesDialog", text);
}

QPushButton *button(const char *objectName, const char *text, QWidget *parent)
{
    auto *result = new QPushButton(tr(text), parent);
    result->setObjectName(QLatin1String(objectName));
    return result;
}

QString valueText(const QVariant &value)
{
    QString type, data;
    ProcessListArchiver::describe(value, type, data);
    return data;
}

QIcon colourIcon(const QColor &colour)
{
    QPixmap pixmap(25, 25);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

} // namespace

RunProcessesDialog::RunProcessesDialog(Core::Operations::OperationContext *context,
                                       const boost::shared_ptr<Model::Automaton::TotalVolume> &volume, GLWidget *view,
                                       QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_volume(volume)
    , m_view(view)
    , m_batch(new BatchListRun(*context))
{
    setObjectName(QStringLiteral("RunProcessesBaseDialog"));
    setWindowTitle(tr(Title));
    setFixedSize(750, 470);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("treeWidget"));
    m_tree->setColumnCount(4);
    m_tree->setHeaderLabels({tr("Step"), tr("Process"), tr("Parameter"), tr("Value")});
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->setIconSize(QSize(25, 25));
    m_choice = new QComboBox(this);
    m_choice->setObjectName(QStringLiteral("processChoice"));
    std::vector<Core::Operations::BatchEntryKind> kinds = Core::Operations::ProcessRegistry::batchKinds();
    std::sort(kinds.begin(), kinds.end(), [](const auto &a, const auto &b) { return a.addPosition < b.addPosition; });
    for (const auto &kind : kinds)
        m_choice->addItem(tr(kind.addChoice), kind.type);

    QPushButton *add = button("btnAddProcess", "Add Process", this);
    QPushButton *remove = button("btnRemoveProcess", "Remove Process", this);
    QPushButton *up = button("btnMoveUp", "Move Up", this);
    QPushButton *down = button("btnMoveDown", "Move Down", this);
    QPushButton *load = button("btnLoadList", "Load List", this);
    QPushButton *save = button("btnSaveList", "Save List", this);
    m_run = button("btnRun", "Run", this);
    m_close = button("btnClose", "Close", this);
    m_saveSteps = new QCheckBox(tr("Save each step to…"), this);
    m_saveSteps->setObjectName(QStringLiteral("chkSaveSteps"));
    m_saveSteps->setToolTip(tr("Also write the cell volume after each step as step-NNN-PROCESS.vti, with flow.pvd "
                               "to open them as a time series"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setValue(0);
    m_progress->setEnabled(false);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_tree, 0, 0, 10, 1);
    layout->addWidget(m_choice, 0, 1);
    const QPushButton *column[] = {add, remove, up, down, load, save, m_run, m_close};
    for (int row = 0; row < 8; ++row)
        layout->addWidget(const_cast<QPushButton *>(column[row]), row + 1, 1);
    layout->addWidget(m_saveSteps, 9, 1);
    layout->addWidget(m_progress, 10, 0, 1, 2);
    layout->setColumnStretch(0, 1);

    connect(add, &QPushButton::clicked, this, &RunProcessesDialog::on_btnAddProcess_clicked);
    connect(m_close, &QPushButton::clicked, this, &RunProcessesDialog::on_btnClose_clicked);
    connect(m_run, &QPushButton::clicked, this, &RunProcessesDialog::on_btnRun_clicked);
    connect(remove, &QPushButton::clicked, this, &RunProcessesDialog::on_btnRemoveProcess_clicked);
    connect(up, &QPushButton::clicked, this, &RunProcessesDialog::on_btnMoveUp_clicked);
    connect(down, &QPushButton::clicked, this, &RunProcessesDialog::on_btnMoveDown_clicked);
    connect(save, &QPushButton::clicked, this, &RunProcessesDialog::on_btnSaveList_clicked);
    connect(load, &QPushButton::clicked, this, &RunProcessesDialog::on_btnLoadList_clicked);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &RunProcessesDialog::selectionChanged);
    connect(m_saveSteps, &QCheckBox::clicked, this, [this](bool on) {
        setStepFolder(on ? QFileDialog::getExistingDirectory(this, tr("Save each step to"), QDir::homePath())
                         : QString());
    });
    m_timer.setInterval(ProgressInterval);
    connect(&m_timer, &QTimer::timeout, this, &RunProcessesDialog::updateProgress);

    // The run's thread waits while the window draws the picture.
    m_batch->setImageSaver([this](const QString &fileName, QString *problem) {
        bool saved = false;
        QMetaObject::invokeMethod(
            this, [&] { saved = updateGeometry(fileName, problem); }, Qt::BlockingQueuedConnection);
        return saved;
    });
    refresh();
}

RunProcessesDialog::~RunProcessesDialog()
{
    // A picture the run waits for is drawn here, so the run can end.
    m_batch->interrupt();
    while (m_batch->isRunning())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    m_batch.reset();
}

void RunProcessesDialog::setEntries(const std::list<ProcessData> &entries)
{
    m_entries = entries;
    refresh();
}

bool RunProcessesDialog::isRunning() const
{
    return m_batch->isRunning();
}

QString RunProcessesDialog::problemOf(int entryId) const
{
    const auto it = m_problems.find(entryId);
    return it == m_problems.end() ? QString() : it->second;
}

void RunProcessesDialog::refresh()
{
    m_tree->clear();
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    int position = 0;
    for (const ProcessData &entry : m_entries) {
        auto *item = new QTreeWidgetItem(m_tree);
        item->setText(0, QString::number(++position));
        item->setText(1, ProcessData::shownName(entry.type()));
        item->setData(1, Qt::UserRole, entry.id());
        const QString problem = problemOf(entry.id());
        if (!problem.isEmpty()) {
            item->setIcon(1, warning);
            item->setToolTip(0, problem);
            item->setToolTip(1, problem);
        }
        for (const auto &parameter : entry.parameters()) {
            if (!entry.isVisible(parameter.first))
                continue;
            auto *child = new QTreeWidgetItem(item);
            child->setText(2, parameter.first);
            child->setText(3, valueText(parameter.second));
            const QVariant colour = entry.parameter(parameter.first + QStringLiteral("_Color"));
            if (colour.isValid())
                child->setIcon(3, colourIcon(colour.value<QColor>()));
        }
    }
    m_tree->resizeColumnToContents(0);
    m_tree->resizeColumnToContents(1);
}

int RunProcessesDialog::selectedEntryId() const
{
    for (const QTreeWidgetItem *item : m_tree->selectedItems())
        if (!item->parent())
            return item->data(1, Qt::UserRole).toInt();
    return -1;
}

void RunProcessesDialog::on_btnAddProcess_clicked()
{
    ProcessData entry;
    if (!BatchEntryDialogs::compose(m_choice->currentData().toInt(), this, m_volume.get(), entry))
        return;
    m_entries.push_back(entry);
    refresh();
}

void RunProcessesDialog::on_btnRemoveProcess_clicked()
{
    std::vector<int> ids;
    for (const QTreeWidgetItem *item : m_tree->selectedItems())
        ids.push_back((item->parent() ? item->parent() : item)->data(1, Qt::UserRole).toInt());
    m_entries.remove_if([&ids](const ProcessData &entry) {
        return std::find(ids.begin(), ids.end(), entry.id()) != ids.end();
    });
    refresh();
}

void RunProcessesDialog::move(int entryId, int by)
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [entryId](const ProcessData &entry) { return entry.id() == entryId; });
    if (it == m_entries.end())
        return;
    auto other = it;
    if (by < 0) {
        if (it == m_entries.begin())
            return;
        --other;
    } else if (++other == m_entries.end()) {
        return;
    }
    std::iter_swap(it, other);
    refresh();
    // The moved entry stays selected, so that it can go on moving.
    for (int row = 0; row < m_tree->topLevelItemCount(); ++row)
        if (m_tree->topLevelItem(row)->data(1, Qt::UserRole).toInt() == entryId)
            m_tree->topLevelItem(row)->setSelected(true);
}

void RunProcessesDialog::on_btnMoveUp_clicked()
{
    move(selectedEntryId(), -1);
}

void RunProcessesDialog::on_btnMoveDown_clicked()
{
    move(selectedEntryId(), +1);
}

void RunProcessesDialog::selectionChanged()
{
    // Only whole steps are moved and removed: parameter rows do not stay
    // selected.
    const QSignalBlocker blocker(m_tree);
    for (QTreeWidgetItem *item : m_tree->selectedItems())
        if (item->parent())
            item->setSelected(false);
}

void RunProcessesDialog::setStepFolder(const QString &folder)
{
    m_stepFolder = folder;
    const QSignalBlocker blocker(m_saveSteps);
    m_saveSteps->setChecked(!folder.isEmpty());
    m_saveSteps->setText(folder.isEmpty() ? tr("Save each step to…")
                                          : tr("Save each step to %1").arg(QDir::toNativeSeparators(folder)));
}

void RunProcessesDialog::on_btnSaveList_clicked()
{
    const QString file = QFileDialog::getSaveFileName(this, tr("Process List File"), QDir::homePath(),
                                                      tr("Process List (*.plst)"));
    if (!file.isEmpty())
        saveList(file);
}

void RunProcessesDialog::on_btnLoadList_clicked()
{
    const QString file = QFileDialog::getOpenFileName(this, tr("Process List File"), QDir::homePath(),
                                                      tr("Process List (*.plst)"));
    if (!file.isEmpty())
        loadList(file);
}

bool RunProcessesDialog::saveList(const QString &fileName)
{
    ProcessListArchiver archiver(m_entries);
    if (archiver.saveProcessList(fileName))
        return true;
    QMessageBox::warning(this, tr("Process List File"),
                         tr("The list could not be saved to %1: %2").arg(fileName, archiver.errorString()));
    return false;
}

bool RunProcessesDialog::loadList(const QString &fileName)
{
    std::list<ProcessData> loaded;
    ProcessListArchiver archiver(loaded);
    if (!archiver.loadProcessList(fileName, loaded)) {
        QMessageBox::warning(this, tr("Process List File"),
                             tr("%1 cannot be read as a process list: %2\nThe list is left as it was.")
                                 .arg(fileName, archiver.errorString()));
        return false;
    }
    m_problems.clear();
    setEntries(loaded);
    if (!archiver.warnings().isEmpty())
        QMessageBox::warning(this, tr("Process List File"),
                             tr("%1 was loaded, but parts of it are not part of a process list and were skipped:\n%2")
                                 .arg(fileName, archiver.warnings().join(QLatin1Char('\n'))));
    return true;
}

void RunProcessesDialog::on_btnRun_clicked()
{
    if (isRunning()) {
        m_batch->stop();
        m_run->setEnabled(false);
        m_run->setText(tr("Stopping..."));
        return;
    }
    // The end of the run before is not reported yet.
    if (m_timer.isActive())
        return;
    m_record.reset(new Core::Operations::BatchRunOperation(m_context));
    m_recordable = m_record->recordBefore(m_volume);
    m_batch->setStepFolder(m_stepFolder, m_context ? m_context->document().lengthUnit() : Model::LengthUnit());
    if (!m_batch->start(m_entries, m_volume))
        return;
    m_runLength = int(m_entries.size());
    m_progress->setEnabled(true);
    m_progress->setRange(0, std::max(m_runLength, 1));
    m_progress->setValue(0);
    m_problems.clear();
    m_outcomesSeen = 0;
    refresh();
    m_run->setText(tr("Stop"));
    m_timer.start();
}

void RunProcessesDialog::takeOutcomes()
{
    const BatchListRun::Status status = m_batch->status();
    bool marked = false;
    for (; m_outcomesSeen < status.outcomes.size(); ++m_outcomesSeen) {
        const BatchListRun::Outcome &outcome = status.outcomes[m_outcomesSeen];
        const auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                                        [&](const ProcessData &e) { return e.id() == outcome.entryId; });
        const QString name = entry == m_entries.end() ? QString() : ProcessData::shownName(entry->type());
        if (outcome.result == BatchRunner::Done) {
            for (const QString &remark : outcome.remarks)
                m_context->consoleInput().postMessage(
                    QStringLiteral("%1: Step %2 (%3): %4").arg(tr(Title)).arg(m_outcomesSeen + 1).arg(name, remark)
                        .toStdString());
            continue;
        }
        m_problems[outcome.entryId] = outcome.problem;
        m_context->consoleInput().postMessage(QStringLiteral("%1: Step %2 (%3) did not run: %4.")
                                                  .arg(tr(Title))
                                                  .arg(m_outcomesSeen + 1)
                                                  .arg(name, outcome.problem)
                                                  .toStdString());
        marked = true;
    }
    if (marked)
        refresh();
}

void RunProcessesDialog::updateProgress()
{
    const BatchListRun::Status status = m_batch->status();
    m_progress->setValue(status.finished);
    if (status.current >= 0)
        m_progress->setFormat(tr("Step %1 of %2: %3").arg(status.current + 1).arg(m_runLength).arg(status.currentName));
    const bool newResults = status.outcomes.size() > m_outcomesSeen;
    takeOutcomes();
    if (status.volume)
        m_volume = status.volume;
    if (newResults)
        m_context->notifyUpdate();
    // Each step that ends is kept for recovery; while the next one holds
    // the cells, the copy is taken at a later tick.
    if (newResults || m_recoveryCopyDue)
        m_recoveryCopyDue = !m_context->keepRecoveryCopy(true);
    if (status.running)
        return;
    finishRun();
}

void RunProcessesDialog::finishRun()
{
    m_timer.stop();
    m_batch->join();
    const BatchListRun::Status status = m_batch->status();
    m_progress->setFormat(QStringLiteral("%p%"));
    m_progress->setValue(status.finished);
    m_run->setText(tr("Run"));
    m_run->setEnabled(true);
    recordRun(status.outcomes);
    if (m_volume) {
        m_volume->markCellsChanged();
        m_context->notifyUpdate();
    } else if (!status.stopped) {
        QMessageBox::critical(this, tr("Missing Cell Volume"),
                              tr("No cell volume was selected and a cell volume was not created. The cell volume "
                                 "must be created before any other process."));
        m_progress->setValue(0);
    }
    emit runFinished();
    if (m_closeAfterRun)
        QDialog::reject();
}

void RunProcessesDialog::recordRun(const std::vector<BatchListRun::Outcome> &outcomes)
{
    const boost::shared_ptr<Core::Operations::BatchRunOperation> record = m_record;
    m_record.reset();
    // Entries that did not run changed nothing, or, stopped halfway, left
    // whole steps that undo takes back as well.
    const bool changed = std::any_of(outcomes.begin(), outcomes.end(), [](const BatchListRun::Outcome &outcome) {
        return outcome.result == BatchRunner::Done || outcome.result == BatchRunner::Interrupted;
    });
    if (!record || !changed)
        return;
    Core::Operations::OperationHistory &history = m_context->history();
    if (record->recordAfter() && m_recordable) {
        m_context->noteRecordedChange();
        history.push(record);
        return;
    }
    m_context->consoleInput().postMessage(
        tr("Batch Run: This run cannot be undone, and the undo history has been cleared: its cell states could not "
           "be saved to the undo files.")
            .toStdString());
    // Undoing the steps before it would silently throw its result away.
    m_context->keepUnrecordedChange();
}

void RunProcessesDialog::on_btnClose_clicked()
{
    if (!isRunning()) {
        QDialog::reject();
        return;
    }
    if (m_closeAfterRun)
        return;
    const auto answer = QMessageBox::question(this, tr(Title),
                                              tr("A run is going on. Stop it after the running step and close?"));
    if (answer != QMessageBox::Yes || !isRunning())
        return;
    m_closeAfterRun = true;
    on_btnRun_clicked();
}

void RunProcessesDialog::reject()
{
    on_btnClose_clicked();
}

bool RunProcessesDialog::updateGeometry(const QString &filename, QString *problem)
{
    // The run may have made a new volume since the timer last looked.
    if (const auto current = m_batch->status().volume)
        m_volume = current;
    if (m_volume)
        m_volume->markCellsChanged();
    m_context->notifyUpdate();
    if (filename.isEmpty())
        return true;
    return saveImage(filename, problem);
}

bool RunProcessesDialog::saveImage(const QString &filename, QString *problem)
{
    if (m_view)
        return m_view->saveImage(filename, problem);
    const boost::shared_ptr<Model::Automaton::TotalVolume> volume = m_volume;
    if (!volume) {
        if (problem)
            *problem = tr("there is no cell volume to draw");
        return false;
    }
    const SceneView view = SceneImage::framing(*volume, ImageSize);
    QString reason;
    const bool saved = SceneImage::save(m_context->document(), view, ImageSize, filename, &reason);
    if (problem)
        *problem = reason;
    return saved;
}

} // namespace Ui
