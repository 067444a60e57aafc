#include "UI/DocumentDialogs.h"

#include "Core/Operations/Documents/DocumentFiles.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace Ui {

const char *const DocumentDialogs::Filter = "Tessival file (*.cvx)";

DocumentDialogs::DocumentDialogs(QWidget *window) : m_window(window) {}

QString DocumentDialogs::chooseSaveLocation()
{
    QFileDialog dialog(nullptr, QObject::tr("Choose location"), QDir::homePath(), QObject::tr(Filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QLatin1String(Core::Operations::DocumentFiles::Extension));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

bool DocumentDialogs::confirmReplace(const QString &path)
{
    return QMessageBox::question(m_window, QObject::tr("Choose location"),
                                 QObject::tr("%1 already exists.\nDo you want to replace it?").arg(path),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

QString DocumentDialogs::chooseDocumentToOpen(const QString &start)
{
    return QFileDialog::getOpenFileName(nullptr, QObject::tr("Choose file"), start, QObject::tr(Filter));
}

void DocumentDialogs::showError(const QString &title, const QString &text)
{
    QMessageBox::information(m_window, title, text);
}

void DocumentDialogs::showWarning(const QString &title, const QString &text)
{
    QMessageBox::warning(m_window, title, text);
}

} // namespace Ui
