#pragma once

#include <QSaveFile>
#include <QString>

namespace Model {
namespace Persistence {

// A file and its companion, written through QSaveFile and replaced
// together: a mesh and the file of its colours only make sense as a pair.
// After a failure both earlier files are as they were: the companion is
// replaced first, and put back from a copy of its earlier file when the
// file itself then cannot be. Without a companion path it is a single file.
class SaveFilePair
{
public:
    SaveFilePair(const QString &path, const QString &companionPath);

    // Opens both for writing; false, with nothing changed, when either
    // cannot be.
    bool open();

    QSaveFile &file() { return m_file; }
    QSaveFile &companion() { return m_companion; }
    bool hasCompanion() const { return !m_companion.fileName().isEmpty(); }

    // Replaces the earlier files by what was written; false when either
    // could not be, with the reason in errorString().
    bool commit();
    // Drops what was written; the earlier files stay as they were.
    void discard();

    // The first write error of either file, or why committing failed.
    QString errorString() const;
    // The name of the file errorString() is about.
    QString failedFileName() const;

private:
    // Keeps the file's error and name; false.
    bool failed(const QSaveFile &file);

    QSaveFile m_file;
    QSaveFile m_companion;
    QString m_error;
    QString m_failed;
};

} // namespace Persistence
} // namespace Model
