#include "Core/Operations/Undo/StateFolder.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>

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

StateFolder::StateFolder(const QString &root) : m_root(root)
{
    if (!QDir().mkpath(m_root)) {
        qWarning() << "The folder for undo state files" << m_root << "cannot be made";
        return;
    }
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

StateFolder &StateFolder::forThisProgram()
{
    static StateFolder folder(defaultRoot());
    // With the application object rather than at exit: by then what holds
    // the cache (a test's own home) may be gone already.
    static const bool releasedWithApplication = [] {
        qAddPostRoutine([] { forThisProgram().release(); });
        return true;
    }();
    (void)releasedWithApplication;
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

void StateFolder::removeFoldersOfEndedPrograms() const
{
    const QDir root(m_root);
    for (const QString &name : root.entryList({QStringLiteral("*") + LockSuffix}, QDir::Files)) {
        const QString program = name.chopped(LockSuffix.size());
        if (!isProgramName(program))
            continue;
        // Taking the lock succeeds only when its program is gone.
        const auto lock = lockFile(root.filePath(name));
        if (!lock->tryLock(0))
            continue;
        QDir(root.filePath(program)).removeRecursively();
        lock->unlock();
    }
    // A folder whose lock is gone was left half removed.
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (isProgramName(name) && !QFile::exists(root.filePath(name + LockSuffix)))
            QDir(root.filePath(name)).removeRecursively();
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
