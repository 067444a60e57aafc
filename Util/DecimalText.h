#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <cstdint>

namespace Util {

// A real number as the files write it: general format with the given
// significant digits (6 in documents and catalogues, "0.35", "1e+09").
inline QString generalNumber(double value, int significantDigits = 6)
{
    return QString::number(value, 'g', significantDigits);
}

// A real number in as few digits as read back as the very same double:
// positions and units, which a round trip through a file must not move.
inline QString exactNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// Appends `value` in decimal: the cell lists of documents and undo records
// hold millions of ids, too many to format one by one through QString.
inline void appendDecimal(QByteArray &text, std::uint32_t value)
{
    char digits[10];
    int length = 0;
    do {
        digits[length++] = char('0' + value % 10);
        value /= 10;
    } while (value);
    while (length)
        text.append(digits[--length]);
}

} // namespace Util
