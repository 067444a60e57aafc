#include "Model/LengthUnit.h"

#include <QRegularExpression>

#include <cmath>
#include <iterator>

namespace Model {

namespace {

struct Prefix
{
    const char *symbol;
    double metres;
};

// The prefixes lengths are shown with, largest first.
const Prefix Shown[] = {{"m", 1.0}, {"mm", 1e-3}, {"µm", 1e-6}, {"nm", 1e-9}};

// The smallest and largest world unit taken: an atom's size to a kilometre.
constexpr double Smallest = 1e-12;
constexpr double Largest = 1e3;

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

LengthUnit::LengthUnit(double metres) : m_metres(isValidMetres(metres) ? metres : defaultMetres()) {}

double LengthUnit::defaultMetres()
{
    static const double metres = std::cbrt(2.00129819772e-17);
    return metres;
}

bool LengthUnit::isValidMetres(double metres)
{
    return std::isfinite(metres) && metres >= Smallest && metres <= Largest;
}

bool LengthUnit::parse(const QString &text, LengthUnit *unit)
{
    static const QRegularExpression form(QStringLiteral("^\\s*([-+0-9.eE]*)\\s*(m|mm|um|µm|nm)\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return false;
    double amount = 1.0;
    if (!match.captured(1).isEmpty()) {
        bool ok = false;
        amount = match.captured(1).toDouble(&ok);
        if (!ok)
            return false;
    }
    const QString symbol = match.captured(2);
    const double scale = symbol == QLatin1String("m")    ? 1.0
                         : symbol == QLatin1String("mm") ? 1e-3
                         : symbol == QLatin1String("nm") ? 1e-9
                                                         : 1e-6;
    const double metres = amount * scale;
    if (!isValidMetres(metres))
        return false;
    *unit = LengthUnit(metres);
    return true;
}

QString LengthUnit::toString() const
{
    return format(1.0);
}

QString LengthUnit::format(double worldUnits) const
{
    const double metres = worldUnits * m_metres;
    // A length of 0 takes the prefix of the unit itself.
    const double size = metres == 0.0 ? m_metres : std::fabs(metres);
    const Prefix *chosen = std::end(Shown) - 1;
    for (const Prefix &prefix : Shown)
        if (size >= prefix.metres) {
            chosen = &prefix;
            break;
        }
    return number(metres / chosen->metres) + QLatin1Char(' ') + QString::fromUtf8(chosen->symbol);
}

} // namespace Model
