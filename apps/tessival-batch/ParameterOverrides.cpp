#include "apps/tessival-batch/ParameterOverrides.h"

#include "Core/Operations/ProcessDescriptor.h"
#include "Core/Operations/ProcessRegistry.h"
#include "UI/BatchRun/BatchRunner.h"
#include "UI/BatchRun/MaterialChoice.h"
#include "UI/BatchRun/ProcessListArchiver.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>

namespace BatchTool {
namespace ParameterOverrides {

namespace {

QString optionOf(const ParameterOverride &setting)
{
    return QStringLiteral("--set ") + setting.describe();
}

QString entryName(int number, const Ui::ProcessData &entry)
{
    return QStringLiteral("entry %1 (%2)").arg(number).arg(Ui::ProcessData::shownName(entry.type()));
}

// "OPTIONS: entry 2 (CVD) cannot run with it: PROBLEM"
QString cannotRun(const QStringList &options, int number, const Ui::ProcessData &entry, const QString &problem)
{
    return QStringLiteral("%1: %2 cannot run with %3: %4")
        .arg(options.join(QStringLiteral(", ")), entryName(number, entry),
             options.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"), problem);
}

// Why the process of `entry` cannot mean `value`, given as `text`, for
// `name`, as reading the entry would say; empty where it can, or where the
// process declares no range (the entry check after all settings finds the
// rest).
QString declaredRefusal(const Ui::ProcessData &entry, const QString &name, const QVariant &value, const QString &text)
{
    const Core::Operations::ProcessDescriptor *process = Core::Operations::ProcessRegistry::forBatchType(entry.type());
    const Core::Operations::ParameterDeclaration *declared = process ? process->parameter(name) : nullptr;
    const QString refusal = declared ? declared->refusal(value, text) : QString();
    return refusal.isEmpty() ? QString() : QStringLiteral("parameter \"%1\" cannot be used: %2").arg(name, refusal);
}

bool finite(const Util::Vector3D &v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

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
        ok = ok && finite(value.value<Util::Vector3D>());
    } else {
        *expected = QStringLiteral("a value of a type this version cannot set (%1)").arg(type);
    }
    return ok ? value : QVariant();
}

bool apply(const std::vector<ParameterOverride> &overrides, std::list<Ui::ProcessData> &entries, QString *error)
{
    std::list<Ui::ProcessData> changed = entries;
    for (const ParameterOverride &setting : overrides) {
        const QString option = optionOf(setting);
        if (setting.entry > int(changed.size())) {
            *error = QStringLiteral("%1: the list has no entry %2 (it has %3)")
                         .arg(option)
                         .arg(setting.entry)
                         .arg(changed.size());
            return false;
        }
        Ui::ProcessData &entry = *std::next(changed.begin(), setting.entry - 1);
        const QString where = entryName(setting.entry, entry);
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
        // Also a value that this entry's run would not read (a time while
        // the oxidation is given by thickness) has to be one it could mean.
        const QString refusal = declaredRefusal(entry, setting.name, value, setting.value);
        if (!refusal.isEmpty()) {
            *error = cannotRun({option}, setting.entry, entry, refusal);
            return false;
        }
        entry.setParameter(setting.name, value, entry.isVisible(setting.name));
    }
    entries.swap(changed);
    return true;
}

bool check(const std::vector<ParameterOverride> &overrides, const std::list<Ui::ProcessData> &listed,
           std::list<Ui::ProcessData> &entries, const Model::Materials::MaterialFactory &catalogue, QString *error)
{
    std::map<int, QStringList> optionsOf;
    for (const ParameterOverride &setting : overrides) {
        Ui::ProcessData &entry = *std::next(entries.begin(), setting.entry - 1);
        QString problem;
        // In command-line order, so that the last setting of a choice wins.
        if (!Ui::MaterialChoice::settle(entry, setting.name, setting.value, catalogue, &problem)) {
            *error = QStringLiteral("%1: %2").arg(optionOf(setting), problem);
            return false;
        }
        optionsOf[setting.entry].append(optionOf(setting));
    }
    // An entry the list itself leaves unusable is reported by its run, as
    // without the settings; a setting is refused only for what it broke.
    for (const auto &changed : optionsOf) {
        const Ui::ProcessData &entry = *std::next(entries.begin(), changed.first - 1);
        const QString problem = Ui::BatchRunner::entryProblem(entry);
        if (problem.isEmpty()
            || problem == Ui::BatchRunner::entryProblem(*std::next(listed.begin(), changed.first - 1)))
            continue;
        *error = cannotRun(changed.second, changed.first, entry, problem);
        return false;
    }
    return true;
}

} // namespace ParameterOverrides
} // namespace BatchTool
