#include "Core/Operations/ParameterDeclaration.h"

namespace Core {
namespace Operations {

bool ParameterDeclaration::isShownIn(const ParameterMap &entry) const
{
    if (visibility == Shown || visibility == Hidden)
        return visibility == Shown;
    const auto flag = entry.find(condition);
    const bool set = flag != entry.end() && flag->second.toBool();
    return set == (visibility == ShownWhen);
}

std::vector<ParameterDeclaration> ParameterDeclaration::materialChoice(const QString &role, bool idShown)
{
    const QString shown = role.isEmpty() ? QStringLiteral("Material") : role + QStringLiteral(" Material");
    return {
        {role + QStringLiteral("MaterialId"), ParameterType::UInt, idShown ? Shown : Hidden, QVariant(), QString()},
        {shown, ParameterType::Text, Shown, QVariant(), QString()},
        {shown + QStringLiteral("_Color"), ParameterType::Colour, Hidden, QVariant(), QString()},
    };
}

} // namespace Operations
} // namespace Core
