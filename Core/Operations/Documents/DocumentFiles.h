#pragma once

#include <QString>
#include <QStringList>

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
        // A document opened in part: one sentence per kind of loss (empty
        // when nothing was lost).
        QStringList damage;
        // Whether a volume that was read lacks cells or holds cells of
        // unknown material, rather than only objects or values left out.
        bool cellsIncomplete = false;
        // The sentence on the missing cells, the one loss that no console
        // warning named while reading; empty when none are missing.
        QString cellsLost;
    };

    // The extension of document files, without the dot.
    static const char *const Extension;

    // Writes the document; the old file is replaced only by a complete new
    // one, so a failed save leaves it as it was. On success the document
    // takes `path` as its file name and counts as saved.
    static Result save(const QString &path, OperationContext &context);

    // Reads the document at `path` into the context's document and merges
    // its materials into the catalogue. The file is never changed. A
    // document read in part opens with a warning and without a file name,
    // so that saving asks where instead of overwriting the damaged file.
    static Result open(const QString &path, OperationContext &context);

    // A file name chosen without an extension ("wafer") gets the document
    // extension, so that the open dialog's filter shows the file; a name
    // with a dot in it is taken as typed.
    static QString withExtension(const QString &path);
};

} // namespace Operations
} // namespace Core
