#pragma once

#include "Core/Operations/Operation.h"

#include <QString>

namespace Core {
namespace Operations {

// "Open document": asks for a file; its observer opens it in a new main
// window, so the document of this window is never replaced.
class OpenDocumentOperation : public Operation
{
public:
    explicit OpenDocumentOperation(OperationContext *context);

    void execute() override;
    void cancel() override;
    void end() override;

    // One observer for the whole class: each new operation's replaces it.
    void setObserver(const boost::shared_ptr<Util::IObserver> &observer) override;
    boost::shared_ptr<Util::IObserver> observer() const override;

    // Shared by the open operations of all windows: the file chosen last,
    // and where the next open dialog starts (the home folder at first).
    static QString fileToOpen();
    static QString lastOpenedLocation();
    static void rememberOpened(const QString &path);
};

} // namespace Operations
} // namespace Core
