#include "Core/Operations/Undo/StateFolder.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>

#include <vector>

namespace Core {
namespace Operations {

namespace {

constexpr int MaxAttempts = 100;

const QString LockSuffix = QStringLiteral(".lock");

// Only names of the form this class makes are ever touched in the root.
bool isProgramName(const QString &name)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(name).hasMatch();
}

// A lock that is held for as long as its program runs: its age says
// nothing, only whether its program is still there.
std::unique_ptr<QLockFile> lockFile(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

StateFolder::StateFolder(const QString &root, EndedPrograms ended) : m_root(root)
{
    if (!QDir().mkpath(m_root)) {
        qWarning() << "The folder" << m_root << "cannot be made";
        return;
    }
    if (ended == RemoveEnded)
        removeFoldersOfEndedPrograms();
    if (!claim())
        qWarning() << "No folder for undo state files could be taken in" << m_root;
}

StateFolder::~StateFolder()
{
    release();
}

void StateFolder::release()
{
    if (!isAvailable())
        return;
    QDir(m_folder).removeRecursively();
    m_folder.clear();
    m_lock->unlock();
}

void StateFolder::releaseWithApplication(StateFolder &folder)
{
    // With the application object rather than at exit: by then what holds
    // the folder (a test's own home) may be gone already.
    static std::vector<StateFolder *> folders;
    if (folders.empty())
        qAddPostRoutine([] {
            for (StateFolder *taken : folders)
                taken->release();
        });
    folders.push_back(&folder);
}

StateFolder &StateFolder::forThisProgram()
{
    static StateFolder folder(defaultRoot());
    static const bool registered = (releaseWithApplication(folder), true);
    (void)registered;
    return folder;
}

QString StateFolder::defaultRoot()
{
    // Without an application name the cache location is the shared cache
    // folder itself, where the sweep must not look.
    const QString base = QCoreApplication::applicationName().isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                                   QStringLiteral("/tessival")
                             : QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return base + QStringLiteral("/states");
}

QString StateFolder::path() const
{
    if (!isAvailable() || !QDir().mkpath(m_folder))
        return QString();
    return m_folder;
}

QStringList StateFolder::foldersOfEndedPrograms(const QString &rootPath)
{
    QStringList folders;
    const QDir root(rootPath);
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!isProgramName(name))
            continue;
        // A running program holds its lock; taking it succeeds only when
        // its program is gone (and gives it up again by removing it). A
        // folder whose lock is gone belongs to no running program either.
        const QString lockPath = root.filePath(name + LockSuffix);
        if (QFile::exists(lockPath)) {
            const auto lock = lockFile(lockPath);
            if (!lock->tryLock(0))
                continue;
            lock->unlock();
        }
        folders << root.filePath(name);
    }
    return folders;
}

void StateFolder::removeFolderOfEndedProgram(const QString &folder)
{
    const auto lock = lockFile(folder + LockSuffix);
    if (QFile::exists(folder + LockSuffix) && !lock->tryLock(0))
        return;
    QDir(folder).removeRecursively();
    if (lock->isLocked())
        lock->unlock();
}

void StateFolder::removeFoldersOfEndedPrograms() const
{
    for (const QString &folder : foldersOfEndedPrograms(m_root))
        removeFolderOfEndedProgram(folder);
    // Locks of gone programs whose folders went already.
    const QDir root(m_root);
    for (const QString &name : root.entryList({QStringLiteral("*") + LockSuffix}, QDir::Files)) {
        const QString program = name.chopped(LockSuffix.size());
        if (!isProgramName(program) || root.exists(program))
            continue;
        const auto lock = lockFile(root.filePath(name));
        if (lock->tryLock(0))
            lock->unlock();
    }
}

bool StateFolder::claim()
{
    const QDir root(m_root);
    for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
        const QString name = QString::number(QRandomGenerator::global()->bounded(1u << 31));
        auto lock = lockFile(root.filePath(name + LockSuffix));
        if (!lock->tryLock(0))
            continue;
        // Under a lock of its own the name is free, whatever a gone program
        // left there.
        QDir(root.filePath(name)).removeRecursively();
        if (!root.mkpath(name)) {
            lock->unlock();
            return false;
        }
        m_folder = root.filePath(name);
        m_lock = std::move(lock);
        return true;
    }
    return false;
}

} // namespace Operations
} // namespace Core
