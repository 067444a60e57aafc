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
    m_claims.push_back({option, fileOf(path), kind, QString()});
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

void FileClaims::addOutputFamily(const QString &option, const QString &prefixPath, const QString &suffix)
{
    m_claims.push_back({option, fileOf(prefixPath), OutputFamily, suffix});
}

namespace {

// Whether `file` is one of the family's names: in its folder, starting and
// ending as they do.
bool inFamily(const QString &file, const QString &prefix, const QString &suffix)
{
    if (file.size() < prefix.size() + suffix.size() || !file.startsWith(prefix) || !file.endsWith(suffix))
        return false;
    return !file.midRef(prefix.size()).contains(QLatin1Char('/'));
}

} // namespace

bool FileClaims::overlap(const Claim &a, const Claim &b)
{
    if (a.kind != OutputFamily && b.kind != OutputFamily)
        return a.file == b.file;
    if (a.kind != OutputFamily)
        return inFamily(a.file, b.file, b.suffix);
    if (b.kind != OutputFamily)
        return inFamily(b.file, a.file, a.suffix);
    // Two families share a name when one's start and end extend the other's.
    const bool starts = a.file.startsWith(b.file) || b.file.startsWith(a.file);
    const bool ends = a.suffix.endsWith(b.suffix) || b.suffix.endsWith(a.suffix);
    const QString &longer = a.file.size() >= b.file.size() ? a.file : b.file;
    const QString &shorter = a.file.size() >= b.file.size() ? b.file : a.file;
    return starts && ends && !longer.midRef(shorter.size()).contains(QLatin1Char('/'));
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
            if (!harmless && overlap(a, b))
                return QStringLiteral("%1 and %2 cannot be the same file").arg(a.option, b.option);
        }
    }
    return QString();
}

} // namespace BatchTool
