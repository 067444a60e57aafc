#include "Model/Export/SafeFileName.h"

namespace Model {
namespace Export {

QString SafeFileName::part(const QString &name, const QString &fallback)
{
    QString safe;
    for (const QChar c : name) {
        const ushort code = c.unicode();
        const bool kept = (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')
                          || code == '-' || code == '_' || code == '+' || code == '.';
        if (kept)
            safe += c;
        else if (!safe.endsWith(QLatin1Char('_')))
            safe += QLatin1Char('_');
    }
    // Leading dots hide files, trailing ones and blanks some systems drop.
    while (!safe.isEmpty() && (safe.front() == QLatin1Char('_') || safe.front() == QLatin1Char('.')
                               || safe.front() == QLatin1Char('-')))
        safe.remove(0, 1);
    while (!safe.isEmpty() && (safe.back() == QLatin1Char('_') || safe.back() == QLatin1Char('.')))
        safe.chop(1);
    return safe.isEmpty() ? fallback : safe;
}

} // namespace Export
} // namespace Model
