#include "apps/tessival-batch/FileClaims.h"

#include <QDir>
#include <QFileInfo>

namespace BatchTool {

QString FileClaims::fileOf(const QString &path)
{
    const QFileInfo file(path);
    if (file.exists() && !file.canonicalFilePath().isEmpty())
        return file.canonicalFilePath();
    // A file still to be written: its folder's real path and its name.
    const QFileInfo folder(file.absolutePath());
    const QString place = folder.exists() ? folder.canonicalFilePath() : QDir::cleanPath(file.absolutePath());
    return QDir(place).filePath(file.fileName());
}

void FileClaims::add(const QString &option, const QString &path, Kind kind)
{
    m_claims.push_back({option, fileOf(path), kind});
}

void FileClaims::addInput(const QString &option, const QString &path)
{
    add(option, path, Input);
}

void FileClaims::addOutput(const QString &option, const QString &path)
{
    add(option, path, Output);
}

void FileClaims::addListPicture(const QString &option, const QString &path)
{
    add(option, path, ListPicture);
}

QString FileClaims::clash() const
{
    for (std::size_t later = 1; later < m_claims.size(); ++later) {
        const Claim &b = m_claims[later];
        for (std::size_t earlier = 0; earlier < later; ++earlier) {
            const Claim &a = m_claims[earlier];
            // Reading a file twice harms nothing, and entries may save one
            // picture over another.
            const bool harmless = (a.kind == Input && b.kind == Input) || (a.kind == ListPicture && b.kind == ListPicture);
            if (!harmless && a.file == b.file)
                return QStringLiteral("%1 and %2 cannot be the same file").arg(a.option, b.option);
        }
    }
    return QString();
}

} // namespace BatchTool
