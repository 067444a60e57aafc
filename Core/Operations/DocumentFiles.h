#pragma once

#include <QString>

namespace Core {
namespace Operations {

class OperationContext;

// Saving a context's document to a file and reading one into it.
class DocumentFiles
{
public:
    struct Result
    {
        bool ok = false;
        QString errorTitle; // empty when there is nothing to report
        QString errorText;
    };

    // Writes the document; the old file is replaced only by a complete new
    // one, so a failed save leaves it as it was. On success the document
    // takes `path` as its file name.
    static Result save(const QString &path, OperationContext &context);

    // Reads the document at `path` into the context's document and merges
    // its materials into the catalogue. The file is never changed.
    static Result open(const QString &path, OperationContext &context);
};

} // namespace Operations
} // namespace Core
