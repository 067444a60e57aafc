#pragma once

#include <QString>

namespace Core {
namespace Operations {

// The questions and reports of the document operations, which the main
// window answers with its dialogs. Without them (no window), nothing is
// asked: empty answers.
class IDocumentDialogs
{
public:
    virtual ~IDocumentDialogs() = default;
    // "Choose location": where to save; empty when dismissed.
    virtual QString chooseSaveLocation() = 0;
    // Whether an existing file may be replaced: asked when the chosen name
    // got its extension after the dialog, which only checked the name as
    // typed.
    virtual bool confirmReplace(const QString &path) = 0;
    // "Choose file": which document to open, starting at `start`.
    virtual QString chooseDocumentToOpen(const QString &start) = 0;
    virtual void showError(const QString &title, const QString &text) = 0;
    // Something the user should act on before work is lost (undo is off).
    virtual void showWarning(const QString &title, const QString &text) = 0;
};

} // namespace Operations
} // namespace Core
