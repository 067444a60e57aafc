#pragma once

#include "Core/Operations/Documents/IDocumentDialogs.h"

#include <QPointer>
#include <QWidget>

namespace Ui {

// The file dialogs and message boxes of the document operations.
class DocumentDialogs : public Core::Operations::IDocumentDialogs
{
public:
    // Message boxes appear over `window`; the file dialogs have no parent.
    explicit DocumentDialogs(QWidget *window);

    // Names typed without an extension get ".cvx" inside the dialog, so
    // that it asks before replacing the file actually written.
    QString chooseSaveLocation() override;
    bool confirmReplace(const QString &path) override;
    QString chooseDocumentToOpen(const QString &start) override;
    void showError(const QString &title, const QString &text) override;
    void showWarning(const QString &title, const QString &text) override;

    static const char *const Filter;

private:
    QPointer<QWidget> m_window;
};

} // namespace Ui
