#pragma once

#include <QString>

namespace Model {

// How long one world unit (the edge of a cell of size 1) is in metres: the
// scale a document's lengths take where they leave the program, in netlists,
// exports and scale bars. The default is the edge of a cube of
// 2.00129819772e-17 m^3, the cell volume older documents and netlists meant,
// so their values keep their meaning.
class LengthUnit
{
public:
    LengthUnit() = default;
    // `metres` must be finite and above 0 (see isValidMetres).
    explicit LengthUnit(double metres);

    double metres() const { return m_metres; }
    bool isDefault() const { return m_metres == defaultMetres(); }
    static double defaultMetres();
    static bool isValidMetres(double metres);

    // "1um", "2.5 nm", "mm", "1e-6 m", "3µm": a number (1 when left out)
    // and one of m, mm, um (or µm), nm. False for anything else, for lengths
    // of 0 or below and for lengths too small or large to mean a cell.
    static bool parse(const QString &text, LengthUnit *unit);
    // The unit as parse() reads it back, with the prefix that fits:
    // "2.715 µm", "1 nm".
    QString toString() const;
    // A length of `worldUnits` in this unit, written with the prefix that
    // keeps its number between 1 and 1000 where it can: "20 µm", "1.5 mm".
    QString format(double worldUnits) const;

    bool operator==(const LengthUnit &other) const { return m_metres == other.m_metres; }
    bool operator!=(const LengthUnit &other) const { return !(*this == other); }

private:
    double m_metres = defaultMetres();
};

} // namespace Model
