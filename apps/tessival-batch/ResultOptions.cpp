#include "apps/tessival-batch/ResultOptions.h"

#include "Model/Export/VolumeExport.h"

#include <QRegularExpression>

namespace BatchTool {

namespace {

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

const char AxisNames[] = "xyz";

} // namespace

QString SectionRequest::describe() const
{
    return QStringLiteral("%1=%2").arg(QLatin1Char(AxisNames[axis])).arg(index);
}

QString ParameterOverride::describe() const
{
    return QStringLiteral("%1:%2=%3").arg(entry).arg(name, value);
}

namespace ResultOptions {

bool parseExport(const QString &file, QStringList &exports, QString *error)
{
    using Model::Export::VolumeExport;
    if (VolumeExport::formatOf(file) == VolumeExport::UnknownFormat)
        return fail(error, QStringLiteral("--export %1: the file name has to end in %2")
                               .arg(file, VolumeExport::extensionList()));
    exports.append(file);
    return true;
}

bool parseSection(const QString &plane, const QString &file, std::vector<SectionRequest> &sections, QString *error)
{
    static const QRegularExpression form(QStringLiteral("^([xyzXYZ])=(\\d{1,9})$"));
    const QRegularExpressionMatch match = form.match(plane);
    if (!match.hasMatch())
        return fail(error, QStringLiteral("--section %1: give the plane as x=INDEX, y=INDEX or z=INDEX, a cell "
                                          "index counted from 0")
                               .arg(plane));
    SectionRequest section;
    section.axis = match.captured(1).toLower().at(0).unicode() - 'x';
    section.index = match.captured(2).toInt();
    section.file = file;
    sections.push_back(section);
    return true;
}

bool parseOverride(const QString &setting, std::vector<ParameterOverride> &overrides, QString *error)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,9}):([^=]+)=(.*)$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = form.match(setting);
    if (!match.hasMatch() || match.captured(1).toInt() < 1)
        return fail(error, QStringLiteral("--set %1: give it as N:NAME=VALUE, with N the entry counted from 1")
                               .arg(setting));
    ParameterOverride parsed;
    parsed.entry = match.captured(1).toInt();
    parsed.name = match.captured(2);
    parsed.value = match.captured(3);
    overrides.push_back(parsed);
    return true;
}

} // namespace ResultOptions
} // namespace BatchTool
