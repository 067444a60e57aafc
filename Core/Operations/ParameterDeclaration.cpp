#include "Core/Operations/ParameterDeclaration.h"

#include "Util/DecimalText.h"

#include <cmath>

namespace Core {
namespace Operations {

namespace {

// Limits as whole numbers where they are ("1000000000", not "1e+09").
QString limitText(double limit)
{
    return Util::generalNumber(limit, 10);
}

} // namespace

bool ParameterDeclaration::Range::contains(double value) const
{
    if (!std::isfinite(value) || value > highest)
        return false;
    return lowestIncluded ? value >= lowest : value > lowest;
}

bool ParameterDeclaration::Range::isLimited() const
{
    return std::isfinite(lowest) || std::isfinite(highest);
}

QString ParameterDeclaration::Range::describe() const
{
    if (!lowestIncluded)
        return std::isfinite(highest)
            ? QStringLiteral("above %1 and up to %2").arg(limitText(lowest), limitText(highest))
            : QStringLiteral("above %1").arg(limitText(lowest));
    if (!std::isfinite(highest))
        return QStringLiteral("%1 or more").arg(limitText(lowest));
    if (!std::isfinite(lowest))
        return QStringLiteral("%1 or less").arg(limitText(highest));
    return QStringLiteral("from %1 to %2").arg(limitText(lowest), limitText(highest));
}

bool ParameterDeclaration::isShownIn(const ParameterMap &entry) const
{
    if (visibility == Shown || visibility == Hidden)
        return visibility == Shown;
    const auto flag = entry.find(condition);
    const bool set = flag != entry.end() && flag->second.toBool();
    return set == (visibility == ShownWhen);
}

ParameterDeclaration ParameterDeclaration::within(double lowest, double highest) const
{
    ParameterDeclaration limited = *this;
    limited.range = {lowest, highest, true};
    return limited;
}

ParameterDeclaration ParameterDeclaration::above(double lowest, double highest) const
{
    ParameterDeclaration limited = *this;
    limited.range = {lowest, highest, false};
    return limited;
}

QString ParameterDeclaration::refusal(double number, const QString &shown) const
{
    if (namesMaterial && number == 0.0)
        return QStringLiteral("\"%1\" is no material (0 is the empty cell)").arg(shown);
    if (range.isLimited() && !range.contains(number))
        return QStringLiteral("\"%1\" is not %2").arg(shown, range.describe());
    return QString();
}

QString ParameterDeclaration::refusal(const QVariant &value, const QString &shown) const
{
    bool number = false;
    const double read = value.toDouble(&number);
    return number ? refusal(read, shown.isEmpty() ? value.toString() : shown) : QString();
}

const ParameterDeclaration *ParameterDeclaration::find(const std::vector<ParameterDeclaration> &declarations,
                                                       const QString &name)
{
    for (const ParameterDeclaration &declared : declarations)
        if (declared.name == name)
            return &declared;
    return nullptr;
}

ParameterDeclaration::MaterialChoiceNames ParameterDeclaration::materialChoiceNames(const QString &role)
{
    const QString shown = role.isEmpty() ? QStringLiteral("Material") : role + QStringLiteral(" Material");
    return {role + QStringLiteral("MaterialId"), shown, shown + QStringLiteral("_Color")};
}

std::vector<ParameterDeclaration> ParameterDeclaration::materialChoice(const QString &role, bool idShown)
{
    const MaterialChoiceNames names = materialChoiceNames(role);
    ParameterDeclaration id{names.id, ParameterType::UInt, idShown ? Shown : Hidden, QVariant(), QString()};
    id.namesMaterial = true;
    return {
        id,
        {names.name, ParameterType::Text, Shown, QVariant(), QString()},
        {names.colour, ParameterType::Colour, Hidden, QVariant(), QString()},
    };
}

bool ParameterDeclaration::materialChoiceOf(const QString &parameter, MaterialChoiceNames *names)
{
    static const QString IdEnd = QStringLiteral("MaterialId");
    static const QString ColourEnd = QStringLiteral("_Color");
    static const QString NameEnd = QStringLiteral(" Material");
    QString role;
    if (parameter.endsWith(IdEnd)) {
        role = parameter.left(parameter.size() - IdEnd.size());
    } else {
        const QString shown = parameter.endsWith(ColourEnd) ? parameter.left(parameter.size() - ColourEnd.size())
                                                            : parameter;
        if (shown.endsWith(NameEnd))
            role = shown.left(shown.size() - NameEnd.size());
        else if (shown != QLatin1String("Material"))
            return false;
    }
    const MaterialChoiceNames found = materialChoiceNames(role);
    if (parameter != found.id && parameter != found.name && parameter != found.colour)
        return false;
    if (names)
        *names = found;
    return true;
}

} // namespace Operations
} // namespace Core
