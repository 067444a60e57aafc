#include "apps/tessival-batch/ParameterOverrides.h"

#include "Core/Operations/ProcessDescriptor.h"
#include "Core/Operations/ProcessRegistry.h"
#include "UI/BatchRun/BatchRunner.h"
#include "UI/BatchRun/MaterialChoice.h"
#include "UI/BatchRun/ProcessListArchiver.h"

#include <QColor>
#include <QFileInfo>

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

// The declaration of `name` in the process of `entry`; null where it has none.
const Core::Operations::ParameterDeclaration *declarationOf(const Ui::ProcessData &entry, const QString &name)
{
    const Core::Operations::ProcessDescriptor *process = Core::Operations::ProcessRegistry::forBatchType(entry.type());
    return process ? process->parameter(name) : nullptr;
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
    const Core::Operations::ParameterDeclaration *declared = declarationOf(entry, name);
    const QString refusal = declared ? declared->refusal(value, text) : QString();
    return refusal.isEmpty() ? QString() : QStringLiteral("parameter \"%1\" cannot be used: %2").arg(name, refusal);
}

bool finite(const Util::Vector3D &v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}


// Takes out of each entry what the settings made stale and did not set
// themselves: the mask flags drawn from a file that another file replaced.
void dropOutdated(const std::vector<ParameterOverride> &overrides, std::list<Ui::ProcessData> &entries)
{
    std::map<int, QStringList> setIn, outdatedIn;
    for (const ParameterOverride &setting : overrides) {
        const Ui::ProcessData &entry = *std::next(entries.begin(), setting.entry - 1);
        setIn[setting.entry].append(setting.name);
        // An empty file name names no file: the flags stay in charge.
        const Core::Operations::ParameterDeclaration *declared = declarationOf(entry, setting.name);
        if (declared && !(declared->type == Core::Operations::ParameterType::Text && setting.value.isEmpty()))
            outdatedIn[setting.entry].append(declared->outdates);
    }
    for (const auto &outdated : outdatedIn) {
        Ui::ProcessData &entry = *std::next(entries.begin(), outdated.first - 1);
        for (const QString &name : outdated.second)
            if (!setIn[outdated.first].contains(name))
                entry.removeParameter(name);
    }
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
        // A parameter that lists written before it existed lack is set as
        // its process declares it.
        const Core::Operations::ParameterDeclaration *declared = declarationOf(entry, setting.name);
        const QVariant stored =
            entry.hasParameter(setting.name) ? entry.parameter(setting.name) : declared ? declared->defaultValue : QVariant();
        if (!stored.isValid()) {
            QStringList names;
            for (const auto &parameter : entry.parameters())
                names.append(parameter.first);
            *error = QStringLiteral("%1: %2 has no parameter \"%3\" (it has: %4)")
                         .arg(option, where, setting.name, names.join(QStringLiteral(", ")));
            return false;
        }
        QString expected;
        QVariant value = read(stored, setting.value, &expected);
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
        // A file given on the command line lies where the shell sees it,
        // not in the list's folder.
        if (declared && declared->namesFile && !setting.value.isEmpty())
            value = QFileInfo(setting.value).absoluteFilePath();
        entry.setParameter(setting.name, value, entry.isVisible(setting.name));
    }
    // A choice that refines a file the entry does not name would change
    // nothing; what the settings give is judged together, in any order.
    for (const ParameterOverride &setting : overrides) {
        const Ui::ProcessData &entry = *std::next(changed.begin(), setting.entry - 1);
        const Core::Operations::ParameterDeclaration *declared = declarationOf(entry, setting.name);
        if (declared && !declared->refines.isEmpty() && entry.parameter(declared->refines).toString().isEmpty()) {
            *error = cannotRun({optionOf(setting)}, setting.entry, entry,
                               QStringLiteral("parameter \"%1\" is used only with a file named by \"%2\", and the "
                                              "entry names none")
                                   .arg(setting.name, declared->refines));
            return false;
        }
    }
    dropOutdated(overrides, changed);
    entries.swap(changed);
    return true;
}

bool check(const std::vector<ParameterOverride> &overrides, const std::list<Ui::ProcessData> &listed,
           std::list<Ui::ProcessData> &entries, const Model::Materials::MaterialFactory &catalogue,
           const Model::Automaton::TotalVolume *start, QString *error)
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
    // Each is read for the volume it will run on, so that a mask file that
    // covers none of its columns is found now rather than after the run.
    const std::vector<Ui::BatchRunner::VolumeSize> sizes = Ui::BatchRunner::plannedSizes(entries, start);
    const std::vector<Ui::BatchRunner::VolumeSize> listedSizes = Ui::BatchRunner::plannedSizes(listed, start);
    for (const auto &changed : optionsOf) {
        const std::size_t index = std::size_t(changed.first - 1);
        const Ui::ProcessData &entry = *std::next(entries.begin(), changed.first - 1);
        const QString problem = Ui::BatchRunner::entryProblem(entry, sizes[index].x, sizes[index].y);
        if (problem.isEmpty()
            || problem
                == Ui::BatchRunner::entryProblem(*std::next(listed.begin(), changed.first - 1), listedSizes[index].x,
                                                 listedSizes[index].y))
            continue;
        *error = cannotRun(changed.second, changed.first, entry, problem);
        return false;
    }
    return true;
}

} // namespace ParameterOverrides
} // namespace BatchTool
