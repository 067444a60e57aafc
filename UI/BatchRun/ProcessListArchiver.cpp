#include "UI/BatchRun/ProcessListArchiver.h"

#include "Model/Persistence/SaveFileCommit.h"
#include "Util/DebugLog.h"
#include "Util/DecimalText.h"

#include <QColor>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <map>

namespace Ui {

namespace {

void logTag(const char *prefix, const QXmlStreamReader &reader)
{
    qCDebug(tessivalLog).noquote() << prefix << reader.name().toString() << " in line " << reader.lineNumber();
}

// The next start element, past end tags and text; false at the end.
bool nextStartElement(QXmlStreamReader &reader)
{
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            return true;
    }
    return false;
}

} // namespace

void ProcessListArchiver::describe(const QVariant &value, QString &type, QString &data)
{
    if (value.canConvert<MaskVector>()) {
        type = QStringLiteral("vector");
        data.clear();
        for (bool on : value.value<MaskVector>())
            data.append(on ? QLatin1Char('1') : QLatin1Char('0'));
        return;
    }
    if (value.canConvert<Util::Vector3D>()) {
        const Util::Vector3D v = value.value<Util::Vector3D>();
        type = QStringLiteral("Util::Vector3D");
        data = Util::generalNumber(v.x, 10) + QLatin1Char(';') + Util::generalNumber(v.y, 10) + QLatin1Char(';')
            + Util::generalNumber(v.z, 10);
        return;
    }
    type = QString::fromLatin1(value.typeName());
    if (value.userType() == QMetaType::QColor)
        data = value.value<QColor>().name();
    else if (value.userType() == QMetaType::Bool)
        data = value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    else
        data = value.toString();
}

QVariant ProcessListArchiver::convert(const QString &type, const QString &data)
{
    if (type == QLatin1String("bool"))
        return QVariant(data == QLatin1String("true"));
    // A number that does not parse keeps its text rather than turning into
    // 0, so that running the entry reports the value instead of using 0.
    bool ok = false;
    QVariant number;
    if (type == QLatin1String("float"))
        number = QVariant(data.toFloat(&ok));
    else if (type == QLatin1String("double"))
        number = QVariant(data.toDouble(&ok));
    else if (type == QLatin1String("int"))
        number = QVariant(data.toInt(&ok));
    else if (type == QLatin1String("uint"))
        number = QVariant(data.toUInt(&ok));
    if (number.isValid())
        return ok ? number : QVariant(data);
    if (type == QLatin1String("QString"))
        return QVariant(data);
    if (type == QLatin1String("QColor"))
        return QVariant(QColor(data));
    if (type == QLatin1String("vector")) {
        MaskVector mask;
        mask.reserve(std::size_t(data.size()));
        for (const QChar c : data)
            mask.push_back(c == QLatin1Char('1'));
        return QVariant::fromValue(mask);
    }
    if (type == QLatin1String("Util::Vector3D")) {
        // Missing parts read as 0, so a short text still gives a vector.
        const QStringList parts = data.split(QLatin1Char(';'));
        Util::Vector3D v;
        for (int i = 0; i < 3 && i < parts.size(); ++i)
            v[i] = parts[i].toDouble();
        return QVariant::fromValue(v);
    }
    return QVariant();
}

bool ProcessListArchiver::saveProcessList(const QString &fileName)
{
    m_error.clear();
    const QDir folder = QFileInfo(fileName).absoluteDir();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        m_error = file.errorString();
        return false;
    }
    QXmlStreamWriter writer(&file);
    writer.setAutoFormatting(true);
    writer.writeStartDocument(QStringLiteral("1.0"));
    writer.writeStartElement(QStringLiteral("Process-List"));
    for (const ProcessData &entry : m_list) {
        writer.writeStartElement(QStringLiteral("Process-Data"));
        writer.writeAttribute(QStringLiteral("process-type"),
                              entry.typeText().isEmpty() ? QString::number(entry.type()) : entry.typeText());
        std::map<QString, QString> moved;
        if (!entry.listFolder().isEmpty() && QDir(entry.listFolder()) != folder)
            for (const ProcessData::FileRead &file : entry.filesRead())
                if (QDir::isRelativePath(entry.parameter(file.parameter).toString()))
                    moved[file.parameter] = folder.relativeFilePath(file.path);
        for (const auto &parameter : entry.parameters()) {
            QString type, data;
            describe(parameter.second, type, data);
            const auto rebased = moved.find(parameter.first);
            if (rebased != moved.end())
                data = rebased->second;
            writer.writeEmptyElement(QStringLiteral("Parameter"));
            writer.writeAttribute(QStringLiteral("parameter-name"), parameter.first);
            writer.writeAttribute(QStringLiteral("parameter-type"), type);
            writer.writeAttribute(QStringLiteral("parameter-data"), data);
            writer.writeAttribute(QStringLiteral("parameter-visibility"),
                                  entry.isVisible(parameter.first) ? QStringLiteral("true") : QStringLiteral("false"));
        }
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    if (!writer.hasError() && Model::Persistence::commitCompletely(file))
        return true;
    m_error = file.errorString();
    return false;
}

bool ProcessListArchiver::loadProcessList(const QString &fileName, std::list<ProcessData> &list)
{
    m_error.clear();
    m_warnings.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_error = file.errorString();
        return false;
    }
    QXmlStreamReader reader(&file);
    bool found = false;
    while (nextStartElement(reader)) {
        logTag("CurrentTag: ", reader);
        if (reader.name() == QLatin1String("Process-List")) {
            found = true;
            break;
        }
    }
    if (!found) {
        m_error = reader.hasError()
            ? QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString())
            : QStringLiteral("it holds no \"Process-List\"");
        m_warnings.clear();
        return false;
    }
    const QString folder = QFileInfo(fileName).absolutePath();
    std::list<ProcessData> read;
    bool first = true;
    while (reader.readNextStartElement()) {
        if (first)
            logTag("CurrentTag: ", reader);
        first = false;
        if (reader.name() == QLatin1String("Process-Data")) {
            read.push_back(readProcessData(reader));
            read.back().setListFolder(folder);
            continue;
        }
        qCDebug(tessivalLog).noquote() << "Unknown tag found in file: " << reader.name().toString() << " in line "
                                       << reader.lineNumber();
        skipUnknown(reader, QString());
    }
    // Whatever follows the list must still be well-formed.
    while (!reader.atEnd())
        reader.readNext();
    if (reader.hasError()) {
        m_error = QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString());
        qCDebug(tessivalLog) << fileName << ":" << m_error;
        m_warnings.clear();
        return false;
    }
    list.splice(list.end(), read);
    return true;
}

void ProcessListArchiver::skipUnknown(QXmlStreamReader &reader, const QString &where)
{
    m_warnings.append(QStringLiteral("line %1: unknown element <%2>%3 skipped")
                          .arg(reader.lineNumber())
                          .arg(reader.name().toString(), where));
    reader.skipCurrentElement();
}

ProcessData ProcessListArchiver::readProcessData(QXmlStreamReader &reader)
{
    logTag("Starting parse of : ", reader);
    if (reader.name() != QLatin1String("Process-Data")) {
        reader.skipCurrentElement();
        return ProcessData(ProcessData::Unknown);
    }
    bool ok = false;
    const QString typeText = reader.attributes().value(QLatin1String("process-type")).toString();
    const int type = typeText.toInt(&ok);
    ProcessData entry = ok ? ProcessData(type) : ProcessData::unreadType(typeText);
    const int line = int(reader.lineNumber());
    const QString inEntry = QStringLiteral(" in the entry of line %1").arg(line);
    while (reader.readNextStartElement()) {
        logTag("CurrentTag: ", reader);
        if (reader.name() != QLatin1String("Parameter")) {
            skipUnknown(reader, inEntry);
            continue;
        }
        const QXmlStreamAttributes attributes = reader.attributes();
        const QString visibility = attributes.value(QLatin1String("parameter-visibility")).toString();
        entry.setParameter(attributes.value(QLatin1String("parameter-name")).toString(),
                           convert(attributes.value(QLatin1String("parameter-type")).toString(),
                                   attributes.value(QLatin1String("parameter-data")).toString()),
                           visibility.isEmpty() || visibility == QLatin1String("true"));
        while (reader.readNextStartElement())
            skipUnknown(reader, QStringLiteral(" in a parameter"));
    }
    return entry;
}

} // namespace Ui
