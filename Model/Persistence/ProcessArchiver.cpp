#include "Model/Persistence/ProcessArchiver.h"

#include "Model/Persistence/CatalogueFile.h"
#include "Util/DebugLog.h"

#include <QDebug>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Model {
namespace Persistence {

Process::Process ProcessArchiver::loadProcess(QXmlStreamReader &reader, bool *ok)
{
    if (ok)
        *ok = false;
    if (reader.name() != QLatin1String("Process"))
        return Process::Process();

    QString name;
    unsigned id = 0;
    bool converted = true;
    for (const QXmlStreamAttribute &attribute : reader.attributes()) {
        const QString value = attribute.value().toString();
        qCDebug(tessivalLog) << "attribute: " << CatalogueFile::forLog(attribute.name().toString()) << " -> "
                 << CatalogueFile::forLog(value);
        if (attribute.name() == QLatin1String("process-id")) {
            bool valid = false;
            id = value.toUInt(&valid);
            converted = converted && valid;
        } else if (attribute.name() == QLatin1String("name")) {
            name = value;
        } else if (attribute.name() == QLatin1String("version")) {
            bool valid = false;
            value.toUInt(&valid);
            converted = converted && valid;
        }
    }
    if (!converted || id == 0 || name.isEmpty()) {
        qCDebug(tessivalLog) << "Process skipped: it needs a name, an id other than 0 and numeric"
                 << "\"process-id\" and \"version\"";
        return Process::Process();
    }
    const Process::Process process(name, id, loadCompatibleMaterials(reader));
    if (ok)
        *ok = !reader.hasError();
    return process;
}

std::vector<unsigned> ProcessArchiver::loadCompatibleMaterials(QXmlStreamReader &reader)
{
    std::vector<unsigned> ids;
    if (!reader.readNextStartElement())
        return ids;
    qCDebug(tessivalLog) << "Element: " << CatalogueFile::forLog(reader.name().toString());
    if (reader.name() != QLatin1String("CompatibleMaterials"))
        return ids;
    if (reader.readNext() != QXmlStreamReader::Characters)
        return ids;
    const QString text = reader.text().toString();
    qCDebug(tessivalLog) << "text-> " << CatalogueFile::forLog(text);
    for (const QString &part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        bool valid = false;
        const unsigned id = part.toUInt(&valid);
        if (valid)
            ids.push_back(id);
    }
    return ids;
}

bool ProcessArchiver::saveProcess(QXmlStreamWriter *writer, const Process::Process &process)
{
    if (!writer)
        return false;
    QStringList ids;
    for (unsigned id : process.compatibleMaterials())
        ids << QString::number(id);
    writer->writeStartElement(QStringLiteral("Process"));
    writer->writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    writer->writeAttribute(QStringLiteral("name"), process.name());
    writer->writeAttribute(QStringLiteral("process-id"), QString::number(process.id()));
    writer->writeTextElement(QStringLiteral("CompatibleMaterials"), ids.join(QLatin1Char(';')));
    writer->writeEndElement();
    return !writer->hasError();
}

} // namespace Persistence
} // namespace Model
