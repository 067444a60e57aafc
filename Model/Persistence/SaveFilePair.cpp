#include "Model/Persistence/SaveFilePair.h"

#include "Model/Persistence/SaveFileCommit.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <vector>

namespace Model {
namespace Persistence {

namespace {

// Drops what was written; an earlier file stays as it was.
void discardFile(QSaveFile &file)
{
    file.cancelWriting();
    file.commit();
}

// Copies the rest of `from` into `to`; false when either failed.
bool copyAll(QIODevice &from, QIODevice &to)
{
    constexpr qint64 ChunkBytes = 256 * 1024;
    std::vector<char> chunk(ChunkBytes);
    for (;;) {
        const qint64 read = from.read(chunk.data(), ChunkBytes);
        if (read <= 0)
            return read == 0;
        if (to.write(chunk.data(), read) != read)
            return false;
    }
}

// Copies the file at `path` into `copy`; the reason when it could not.
QString copyAside(const QString &path, QTemporaryFile &copy)
{
    QFile earlier(path);
    if (!earlier.open(QIODevice::ReadOnly))
        return earlier.errorString();
    if (!copy.open())
        return copy.errorString();
    if (!copyAll(earlier, copy) || !copy.flush())
        return earlier.error() != QFileDevice::NoError ? earlier.errorString() : copy.errorString();
    return QString();
}

// Replaces the file at `path` by the copy made with copyAside.
bool putBack(QTemporaryFile &copy, const QString &path)
{
    QSaveFile restored(path);
    return copy.seek(0) && restored.open(QIODevice::WriteOnly) && copyAll(copy, restored)
           && commitCompletely(restored);
}

} // namespace

SaveFilePair::SaveFilePair(const QString &path, const QString &companionPath)
    : m_file(path)
    , m_companion(companionPath)
{
}

bool SaveFilePair::open()
{
    if (!m_file.open(QIODevice::WriteOnly))
        return failed(m_file);
    if (hasCompanion() && !m_companion.open(QIODevice::WriteOnly)) {
        discardFile(m_file);
        return failed(m_companion);
    }
    return true;
}

void SaveFilePair::discard()
{
    if (m_file.isOpen())
        discardFile(m_file);
    if (m_companion.isOpen())
        discardFile(m_companion);
}

bool SaveFilePair::commit()
{
    // Whatever could not be written is known before anything is replaced.
    for (QSaveFile *file : {&m_file, &m_companion}) {
        if (file->isOpen() && (!file->flush() || file->error() != QFileDevice::NoError)) {
            failed(*file);
            discard();
            return false;
        }
    }
    if (!hasCompanion())
        return commitCompletely(m_file) || failed(m_file);

    // Two renames are never one step. The companion goes first, and its
    // earlier file is copied aside beforehand, so that it can be put back
    // when the file itself then cannot be replaced.
    const QString companionPath = m_companion.fileName();
    const bool hadEarlier = QFileInfo::exists(companionPath);
    QTemporaryFile earlier(companionPath + QStringLiteral(".XXXXXX"));
    const QString notCopied = hadEarlier ? copyAside(companionPath, earlier) : QString();
    if (!notCopied.isEmpty()) {
        discard();
        m_error = QStringLiteral("the earlier %1 could not be copied aside first: %2").arg(companionPath, notCopied);
        m_failed = companionPath;
        return false;
    }
    if (!commitCompletely(m_companion)) {
        failed(m_companion);
        discard();
        return false;
    }
    if (commitCompletely(m_file))
        return true;

    failed(m_file);
    if (!hadEarlier) {
        if (!QFile::remove(companionPath))
            m_error += QStringLiteral("; %1 could not be taken away again").arg(companionPath);
    } else if (!putBack(earlier, companionPath)) {
        // Kept, so that the earlier file is not lost.
        earlier.setAutoRemove(false);
        m_error += QStringLiteral("; the earlier %1 could not be put back and is kept as %2")
                       .arg(companionPath, earlier.fileName());
    }
    return false;
}

bool SaveFilePair::failed(const QSaveFile &file)
{
    m_error = file.errorString();
    m_failed = file.fileName();
    return false;
}

QString SaveFilePair::errorString() const
{
    if (!m_error.isEmpty())
        return m_error;
    if (m_file.error() != QFileDevice::NoError)
        return m_file.errorString();
    return m_companion.error() != QFileDevice::NoError ? m_companion.errorString() : QString();
}

QString SaveFilePair::failedFileName() const
{
    if (!m_failed.isEmpty())
        return m_failed;
    return m_file.error() == QFileDevice::NoError && m_companion.error() != QFileDevice::NoError
               ? m_companion.fileName()
               : m_file.fileName();
}

} // namespace Persistence
} // namespace Model
