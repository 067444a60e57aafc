#pragma once

#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace Model {
namespace Persistence {

// A file and its companions, written through QSaveFile and replaced
// together: a mesh and the file of its colours, or a surface file and the
// files of its bodies, only make sense as a set. After a failure all earlier
// files are as they were: the companions are replaced first, and put back
// from copies of their earlier files when a later one or the file itself
// then cannot be. Without companions it is a single file.
class SaveFilePair
{
public:
    // An empty companion path: no companion.
    SaveFilePair(const QString &path, const QString &companionPath);
    SaveFilePair(const QString &path, const QStringList &companionPaths);
    ~SaveFilePair();

    // Opens all for writing; false, with nothing changed, when any cannot
    // be.
    bool open();

    QSaveFile &file() { return m_file; }
    QSaveFile &companion(std::size_t index = 0) { return *m_companions[index]; }
    std::size_t companionCount() const { return m_companions.size(); }
    bool hasCompanion() const { return !m_companions.empty(); }

    // Replaces the earlier files by what was written; false when any could
    // not be, with the reason in errorString().
    bool commit();
    // Drops what was written; the earlier files stay as they were.
    void discard();

    // The first write error of any file, or why committing failed.
    QString errorString() const;
    // The name of the file errorString() is about.
    QString failedFileName() const;

private:
    // Keeps the file's error and name; false.
    bool failed(const QSaveFile &file);

    QSaveFile m_file;
    std::vector<std::unique_ptr<QSaveFile>> m_companions;
    QString m_error;
    QString m_failed;
};

} // namespace Persistence
} // namespace Model
