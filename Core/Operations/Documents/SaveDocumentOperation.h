#pragma once

#include "Core/Operations/Operation.h"

#include <QString>

namespace Core {
namespace Operations {

// "Save document": writes the document to its file, asking where only the
// first time.
class SaveDocumentOperation : public Operation
{
public:
    explicit SaveDocumentOperation(OperationContext *context);

    void execute() override;
    void cancel() override;
    void end() override;

    const QString &target() const { return m_target; }

protected:
    SaveDocumentOperation(OperationContext *context, const std::string &title, int id);

    // The save dialog's answer with the document extension; empty when it
    // was dismissed or the user would not replace an existing file.
    QString chooseLocation() const;
    // Saves to the target; failures are reported through the window.
    void saveToTarget();

    QString m_target;
};

// "Save Document As": asks where every time.
class SaveDocumentAsOperation : public SaveDocumentOperation
{
public:
    explicit SaveDocumentAsOperation(OperationContext *context);

    void execute() override;
    void end() override;
};

} // namespace Operations
} // namespace Core
