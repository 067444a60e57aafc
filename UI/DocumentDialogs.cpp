#include "UI/DocumentDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace Ui {

const char *const DocumentDialogs::Filter = "Tessival file (*.cvx)";

DocumentDialogs::DocumentDialogs(QWidget *window) : m_window(window) {}

QString DocumentDialogs::chooseSaveLocation()
{
    return QFileDialog::getSaveFileName(nullptr, QObject::tr("Choose location"), QDir::homePath(),
                                        QObject::tr(Filter));
}

QString DocumentDialogs::chooseDocumentToOpen(const QString &start)
{
    return QFileDialog::getOpenFileName(nullptr, QObject::tr("Choose file"), start, QObject::tr(Filter));
}

void DocumentDialogs::showError(const QString &title, const QString &text)
{
    QMessageBox::information(m_window, title, text);
}

} // namespace Ui
