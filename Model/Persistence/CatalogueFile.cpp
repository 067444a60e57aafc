#include "Model/Persistence/CatalogueFile.h"

#include "Model/Persistence/SaveFileCommit.h"
#include "Util/DebugLog.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Model {
namespace Persistence {

QString CatalogueFile::defaultFolder()
{
    return QDir::homePath() + QStringLiteral("/Tessival");
}

bool CatalogueFile::read(const QString &path, const QString &rootName,
                         const std::function<void(QXmlStreamReader &)> &readElement)
{
    QFile file(path);
    if (!file.exists()) {
        qCDebug(tessivalLog) << "No catalogue file" << path;
        return false;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCDebug(tessivalLog) << "Cannot open" << path << ":" << file.errorString();
        return false;
    }
    QXmlStreamReader reader(&file);
    if (!reader.readNextStartElement() || reader.name() != rootName) {
        qCDebug(tessivalLog) << path << "is not a catalogue with the root element" << rootName
                 << (reader.hasError() ? reader.errorString() : QString());
        return false;
    }
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            qCDebug(tessivalLog) << "Element:" << forLog(reader.name().toString());
            readElement(reader);
        }
    }
    if (reader.hasError()) {
        qCDebug(tessivalLog) << path << "line" << reader.lineNumber() << ":" << reader.errorString();
        return false;
    }
    return true;
}

bool CatalogueFile::write(const QString &path, const QString &rootName,
                          const std::function<bool(QXmlStreamWriter &)> &writeContent)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        qWarning() << "Cannot create the folder" << info.absolutePath();
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qWarning() << "Cannot write" << path << ":" << file.errorString();
        return false;
    }
    QXmlStreamWriter writer(&file);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(rootName);
    const bool contentWritten = writeContent(writer);
    writer.writeEndElement();
    writer.writeEndDocument();
    if (!contentWritten || writer.hasError()) {
        qWarning() << "Writing" << path << "failed:" << file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!commitCompletely(file)) {
        qWarning() << "Cannot replace" << path << ":" << file.errorString();
        return false;
    }
    return true;
}

QString CatalogueFile::moveAside(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString target = path + QStringLiteral(".unreadable-") + stamp;
    // Two failures within one second must not collide.
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path + QStringLiteral(".unreadable-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(path, target))
        return QString();
    return target;
}

CatalogueFile::StartUp CatalogueFile::loadOrInstallDefaults(const QString &path, const std::function<bool()> &load,
                                                            const std::function<void()> &installDefaults,
                                                            const std::function<bool()> &save)
{
    const bool existed = QFileInfo::exists(path);
    if (load())
        return Loaded;
    installDefaults();
    if (existed) {
        const QString aside = moveAside(path);
        if (aside.isEmpty()) {
            qWarning() << path << "could not be loaded and could not be moved aside; it is left as it is"
                       << "and the built-in defaults are used for this session only";
            return DefaultsInMemoryOnly;
        }
        qWarning() << path << "could not be loaded; it was kept as" << aside
                   << "and replaced by the built-in defaults";
    }
    save();
    return DefaultsInstalled;
}

QString CatalogueFile::forLog(const QString &value)
{
    constexpr int MaxLogged = 200;
    if (value.size() <= MaxLogged)
        return value;
    return value.left(MaxLogged) + QStringLiteral("... (%1 characters)").arg(value.size());
}

} // namespace Persistence
} // namespace Model
