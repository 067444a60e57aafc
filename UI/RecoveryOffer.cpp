#include "UI/RecoveryOffer.h"

#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/Undo/StateFolder.h"
#include "UI/GLWidget.h"
#include "UI/MainWindow.h"
#include "UI/MainWindowPresenter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace Ui {

namespace {

// Moved rather than copied, so that it is never offered again; the name
// keeps the time, so that copies of several crashes do not collide.
QString keepAside(const QString &path, const QString &root)
{
    const QDir damaged(RecoveryOffer::damagedFolder(root));
    damaged.mkpath(QStringLiteral("."));
    const QString target = damaged.filePath(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-"))
                                            + QFileInfo(path).fileName());
    return QFile::rename(path, target) ? target : path;
}

} // namespace

QString RecoveryOffer::damagedFolder(const QString &root)
{
    return QDir(root).filePath(QStringLiteral("damaged"));
}

QStringList RecoveryOffer::leftBehind(const QString &root)
{
    QStringList documents;
    for (const QString &folder : Core::Operations::StateFolder::foldersOfEndedPrograms(root)) {
        const QDir files(folder);
        for (const QString &name : files.entryList({QStringLiteral("*.cvx")}, QDir::Files, QDir::Name))
            documents << files.filePath(name);
    }
    return documents;
}

std::vector<MainWindow *> RecoveryOffer::offer(QWidget *parent, const QString &root)
{
    std::vector<MainWindow *> windows;
    const QStringList documents = leftBehind(root);
    const QStringList folders = Core::Operations::StateFolder::foldersOfEndedPrograms(root);
    if (documents.isEmpty()) {
        for (const QString &folder : folders)
            Core::Operations::StateFolder::removeFolderOfEndedProgram(folder);
        return windows;
    }
    QMessageBox question(QMessageBox::Question, QStringLiteral("Recover Documents"),
                         QStringLiteral("Tessival did not end properly the last time it ran. %1 kept from its last "
                                        "steps can be opened; documents not opened now are discarded.")
                             .arg(documents.size() == 1 ? QStringLiteral("One document")
                                                        : QStringLiteral("%1 documents").arg(documents.size())),
                         QMessageBox::NoButton, parent);
    QPushButton *open = question.addButton(QStringLiteral("Open"), QMessageBox::AcceptRole);
    question.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    question.setDefaultButton(open);
    question.exec();
    if (question.clickedButton() == open) {
        QStringList keptAside;
        for (const QString &path : documents) {
            auto *window = new MainWindow;
            Core::Operations::OperationContext &context = window->presenter()->context();
            const Core::Operations::DocumentFiles::Result result = Core::Operations::DocumentFiles::open(path, context);
            if (!result.ok || !result.damage.isEmpty())
                keptAside << keepAside(path, root) + QStringLiteral(": ")
                                 + (result.ok ? result.damage.join(QLatin1Char(' ')) : result.errorText);
            if (!result.ok) {
                delete window;
                continue;
            }
            // Saving asks where: the copy's place is no place for the work.
            context.document().setFileName(QString());
            context.history().markUnsaved();
            window->view()->fitToVolumes();
            window->showMaximized();
            windows.push_back(window);
        }
        if (!keptAside.isEmpty())
            QMessageBox::warning(parent, QStringLiteral("Damaged Recovery Copy"),
                                 QStringLiteral("These recovered documents could not be read whole and were kept "
                                                "aside:\n%1")
                                     .arg(keptAside.join(QLatin1Char('\n'))));
    }
    for (const QString &folder : folders)
        Core::Operations::StateFolder::removeFolderOfEndedProgram(folder);
    return windows;
}

} // namespace Ui
