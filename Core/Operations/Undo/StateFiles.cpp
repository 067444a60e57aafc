#include "Core/Operations/Undo/StateFiles.h"

#include "Core/Operations/Undo/StateFolder.h"
#include "Model/Persistence/SaveFileCommit.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>

namespace Core {
namespace Operations {

namespace {

constexpr int MaxAttempts = 100;

bool createEmpty(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Text))
        return false;
    file.close();
    return true;
}

// "key instance " at the start of a record line.
QByteArray prefix(const std::string &key, int instance)
{
    return QByteArray::fromStdString(key) + ' ' + QByteArray::number(instance) + ' ';
}

} // namespace

StateFiles::StateFiles()
{
    const QString folder = StateFolder::forThisProgram().path();
    if (folder.isEmpty()) {
        qWarning() << "No folder for undo state files; processes will run without undo";
        return;
    }
    // Seeded once from the clock, then drawn until a free pair of names is
    // found: windows opened within the same second still get their own.
    QRandomGenerator random(static_cast<quint32>(QDateTime::currentSecsSinceEpoch()));
    const QDir dir(folder);
    for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
        const QString number = QString::number(random.bounded(1u << 31));
        const QString undo = dir.filePath(QStringLiteral("undo") + number + QStringLiteral(".temp"));
        const QString redo = dir.filePath(QStringLiteral("redo") + number + QStringLiteral(".temp"));
        if (QFile::exists(undo) || QFile::exists(redo))
            continue;
        if (createEmpty(undo) && createEmpty(redo)) {
            m_undo = undo;
            m_redo = redo;
            return;
        }
        QFile::remove(undo);
        QFile::remove(redo);
    }
    qWarning() << "No undo state files could be created in" << folder << "; processes will run without undo";
}

StateFiles::~StateFiles()
{
    if (isAvailable()) {
        QFile::remove(m_undo);
        QFile::remove(m_redo);
    }
}

bool StateFiles::append(Kind kind, const std::string &key, int instance, const QByteArray &record)
{
    if (!isAvailable())
        return false;
    QFile file(this->file(kind));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    // How much of the file a partial write reaches is unknown; cutting back
    // to the size before it is the only cut that spares every earlier record.
    const qint64 before = file.size();
    const bool written = file.write(record) == record.size() && file.flush();
    if (!written) {
        qWarning() << "Writing an undo record to" << file.fileName() << "failed:" << file.errorString();
        file.close();
        QFile(this->file(kind)).resize(before);
        return false;
    }
    m_liveBytes[Tag(key, instance)] += std::uint64_t(record.size());
    return true;
}

void StateFiles::release(const std::string &key, int instance)
{
    const auto it = m_liveBytes.find(Tag(key, instance));
    if (it == m_liveBytes.end())
        return;
    m_deadBytes += it->second;
    m_liveBytes.erase(it);
    std::uint64_t live = 0;
    for (const auto &entry : m_liveBytes)
        live += entry.second;
    if (m_deadBytes > m_threshold && m_deadBytes > live)
        compact();
}

void StateFiles::compact()
{
    for (Kind kind : {Undo, Redo}) {
        QFile old(file(kind));
        QSaveFile fresh(file(kind));
        if (!old.open(QIODevice::ReadOnly) || !fresh.open(QIODevice::WriteOnly))
            return;
        while (!old.atEnd()) {
            const QByteArray line = old.readLine();
            for (const auto &entry : m_liveBytes) {
                if (line.startsWith(prefix(entry.first.first, entry.first.second))) {
                    fresh.write(line);
                    break;
                }
            }
        }
        old.close();
        if (!Model::Persistence::commitCompletely(fresh))
            return;
    }
    m_deadBytes = 0;
}

} // namespace Operations
} // namespace Core
