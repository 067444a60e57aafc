#include "apps/tessival-batch/ParameterOverrides.h"

#include "UI/BatchRun/ProcessListArchiver.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace BatchTool {
namespace ParameterOverrides {

QVariant read(const QVariant &stored, const QString &text, QString *expected)
{
    QString type, data;
    Ui::ProcessListArchiver::describe(stored, type, data);
    bool ok = false;
    QVariant value;
    if (type == QLatin1String("bool")) {
        *expected = QStringLiteral("true or false");
        ok = text == QLatin1String("true") || text == QLatin1String("false");
        value = text == QLatin1String("true");
    } else if (type == QLatin1String("int")) {
        *expected = QStringLiteral("a whole number");
        value = text.toInt(&ok);
    } else if (type == QLatin1String("uint")) {
        *expected = QStringLiteral("a whole number from 0");
        value = text.toUInt(&ok);
    } else if (type == QLatin1String("float") || type == QLatin1String("double")) {
        *expected = QStringLiteral("a number");
        const double number = text.toDouble(&ok);
        ok = ok && std::isfinite(number);
        value = type == QLatin1String("float") ? QVariant(float(number)) : QVariant(number);
    } else if (type == QLatin1String("QString")) {
        *expected = QStringLiteral("a text");
        ok = true;
        value = text;
    } else if (type == QLatin1String("QColor")) {
        *expected = QStringLiteral("a colour such as #ff8000");
        ok = QColor::isValidColor(text);
        value = QColor(text);
    } else if (type == QLatin1String("vector")) {
        *expected = QStringLiteral("a mask of %1 digits 0 and 1").arg(data.size());
        ok = text.size() == data.size()
             && std::all_of(text.begin(), text.end(), [](QChar c) { return c == '0' || c == '1'; });
        value = Ui::ProcessListArchiver::convert(type, text);
    } else if (type == QLatin1String("Util::Vector3D")) {
        *expected = QStringLiteral("three numbers as X;Y;Z");
        const QStringList parts = text.split(QLatin1Char(';'));
        ok = parts.size() == 3;
        for (const QString &part : parts) {
            bool number = false;
            part.toDouble(&number);
            ok = ok && number;
        }
        value = Ui::ProcessListArchiver::convert(type, text);
    } else {
        *expected = QStringLiteral("a value of a type this version cannot set (%1)").arg(type);
    }
    return ok ? value : QVariant();
}

bool apply(const std::vector<ParameterOverride> &overrides, std::list<Ui::ProcessData> &entries, QString *error)
{
    std::list<Ui::ProcessData> changed = entries;
    for (const ParameterOverride &setting : overrides) {
        const QString option = QStringLiteral("--set ") + setting.describe();
        if (setting.entry > int(changed.size())) {
            *error = QStringLiteral("%1: the list has no entry %2 (it has %3)")
                         .arg(option)
                         .arg(setting.entry)
                         .arg(changed.size());
            return false;
        }
        Ui::ProcessData &entry = *std::next(changed.begin(), setting.entry - 1);
        const QString where =
            QStringLiteral("entry %1 (%2)").arg(setting.entry).arg(Ui::ProcessData::shownName(entry.type()));
        if (!entry.hasParameter(setting.name)) {
            QStringList names;
            for (const auto &parameter : entry.parameters())
                names.append(parameter.first);
            *error = QStringLiteral("%1: %2 has no parameter \"%3\" (it has: %4)")
                         .arg(option, where, setting.name, names.join(QStringLiteral(", ")));
            return false;
        }
        QString expected;
        const QVariant value = read(entry.parameter(setting.name), setting.value, &expected);
        if (!value.isValid()) {
            *error = QStringLiteral("%1: \"%2\" of %3 takes %4, not \"%5\"")
                         .arg(option, setting.name, where, expected, setting.value);
            return false;
        }
        entry.setParameter(setting.name, value, entry.isVisible(setting.name));
    }
    entries.swap(changed);
    return true;
}

} // namespace ParameterOverrides
} // namespace BatchTool
