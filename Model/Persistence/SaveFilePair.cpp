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
    : SaveFilePair(path, companionPath.isEmpty() ? QStringList() : QStringList{companionPath})
{
}

SaveFilePair::SaveFilePair(const QString &path, const QStringList &companionPaths)
    : m_file(path)
{
    for (const QString &companion : companionPaths)
        m_companions.push_back(std::make_unique<QSaveFile>(companion));
}

SaveFilePair::~SaveFilePair() = default;

bool SaveFilePair::open()
{
    if (!m_file.open(QIODevice::WriteOnly))
        return failed(m_file);
    for (const auto &companion : m_companions)
        if (!companion->open(QIODevice::WriteOnly)) {
            failed(*companion);
            discard();
            return false;
        }
    return true;
}

void SaveFilePair::discard()
{
    if (m_file.isOpen())
        discardFile(m_file);
    for (const auto &companion : m_companions)
        if (companion->isOpen())
            discardFile(*companion);
}

namespace {

// A companion replaced before the file itself, with what it replaced.
struct Replaced
{
    QString path;
    bool hadEarlier;
    std::unique_ptr<QTemporaryFile> earlier;
};

// Puts the earlier companions back, or takes new ones away again; the
// problems, to be added to the error.
QString undo(std::vector<Replaced> &replaced)
{
    QString problems;
    for (Replaced &companion : replaced) {
        if (!companion.hadEarlier) {
            if (!QFile::remove(companion.path))
                problems += QStringLiteral("; %1 could not be taken away again").arg(companion.path);
        } else if (!putBack(*companion.earlier, companion.path)) {
            // Kept, so that the earlier file is not lost.
            companion.earlier->setAutoRemove(false);
            problems += QStringLiteral("; the earlier %1 could not be put back and is kept as %2")
                            .arg(companion.path, companion.earlier->fileName());
        }
    }
    return problems;
}

} // namespace

bool SaveFilePair::commit()
{
    // Whatever could not be written is known before anything is replaced.
    std::vector<QSaveFile *> all{&m_file};
    for (const auto &companion : m_companions)
        all.push_back(companion.get());
    for (QSaveFile *file : all) {
        if (file->isOpen() && (!file->flush() || file->error() != QFileDevice::NoError)) {
            failed(*file);
            discard();
            return false;
        }
    }
    if (!hasCompanion())
        return commitCompletely(m_file) || failed(m_file);

    // Several renames are never one step. The companions go first, each
    // earlier file copied aside beforehand, so that they can be put back
    // when a later one or the file itself then cannot be replaced.
    std::vector<Replaced> replaced;
    for (const auto &companion : m_companions) {
        Replaced entry{companion->fileName(), QFileInfo::exists(companion->fileName()),
                       std::make_unique<QTemporaryFile>(companion->fileName() + QStringLiteral(".XXXXXX"))};
        const QString notCopied = entry.hadEarlier ? copyAside(entry.path, *entry.earlier) : QString();
        if (!notCopied.isEmpty()) {
            discard();
            m_error = QStringLiteral("the earlier %1 could not be copied aside first: %2").arg(entry.path, notCopied);
            m_failed = entry.path;
            m_error += undo(replaced);
            return false;
        }
        if (!commitCompletely(*companion)) {
            failed(*companion);
            discard();
            m_error += undo(replaced);
            return false;
        }
        replaced.push_back(std::move(entry));
    }
    if (commitCompletely(m_file))
        return true;
    failed(m_file);
    m_error += undo(replaced);
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
    for (const auto &companion : m_companions)
        if (companion->error() != QFileDevice::NoError)
            return companion->errorString();
    return QString();
}

QString SaveFilePair::failedFileName() const
{
    if (!m_failed.isEmpty())
        return m_failed;
    if (m_file.error() == QFileDevice::NoError)
        for (const auto &companion : m_companions)
            if (companion->error() != QFileDevice::NoError)
                return companion->fileName();
    return m_file.fileName();
}

} // namespace Persistence
} // namespace Model
