#pragma once

#include <QByteArray>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace TestSupport {

// Writes small mask layouts in the stream format, record by record, for
// the tests of the layout reader (no fixture files to keep in step).
class LayoutWriter
{
public:
    using Points = std::vector<std::pair<std::int32_t, std::int32_t>>;

    // `userUnits`: layout units per database unit.
    explicit LayoutWriter(double userUnits = 1.0)
    {
        record(0x00, int16s({600}));
        record(0x01, int16s(std::vector<int>(12, 0)));
        record(0x02, text("MASKS"));
        record(0x03, real8(userUnits) + real8(userUnits * 1e-6));
    }

    LayoutWriter &beginCell(const std::string &name)
    {
        record(0x05, int16s(std::vector<int>(12, 0)));
        record(0x06, text(name));
        return *this;
    }
    LayoutWriter &endCell() { return record(0x07); }

    LayoutWriter &polygon(int layer, int datatype, Points points)
    {
        points.push_back(points.front()); // closed, as editors store them
        record(0x08);
        record(0x0D, int16s({layer}));
        record(0x0E, int16s({datatype}));
        record(0x10, xy(points));
        return record(0x11);
    }

    LayoutWriter &path(int layer, int datatype, std::int32_t width, int type, const Points &points)
    {
        record(0x09);
        record(0x0D, int16s({layer}));
        record(0x0E, int16s({datatype}));
        record(0x21, int16s({type}));
        record(0x0F, int32s({width}));
        record(0x10, xy(points));
        return record(0x11);
    }

    // A placement of `cell` at (x, y), reflected about x first, then
    // magnified and rotated by `angle` degrees.
    LayoutWriter &place(const std::string &cell, std::int32_t x, std::int32_t y, double angle = 0.0,
                        double magnification = 1.0, bool reflected = false)
    {
        record(0x0A);
        record(0x12, text(cell));
        transformation(angle, magnification, reflected);
        record(0x10, xy({{x, y}}));
        return record(0x11);
    }

    // `columns` x `rows` placements from (x, y), `pitchX` apart along x and
    // `pitchY` along y, each placed as place() places one.
    LayoutWriter &array(const std::string &cell, int columns, int rows, std::int32_t x, std::int32_t y,
                        std::int32_t pitchX, std::int32_t pitchY, double angle = 0.0, bool reflected = false)
    {
        record(0x0B);
        record(0x12, text(cell));
        transformation(angle, 1.0, reflected);
        record(0x13, int16s({columns, rows}));
        record(0x10, xy({{x, y}, {x + columns * pitchX, y}, {x, y + rows * pitchY}}));
        return record(0x11);
    }

    LayoutWriter &text(int layer, const std::string &label)
    {
        record(0x0C);
        record(0x0D, int16s({layer}));
        record(0x16, int16s({0}));
        record(0x10, xy({{0, 0}}));
        record(0x19, text(label));
        return record(0x11);
    }

    QByteArray finish()
    {
        record(0x04);
        return m_bytes;
    }

    LayoutWriter &record(int type, const QByteArray &data = QByteArray(), int datatype = -1)
    {
        static const int kinds[] = {0, 2, 6, 5, 0, 2, 6, 0, 0, 0, 0, 0, 0, 2, 2, 3, 3, 0, 6, 2};
        const int kind = datatype >= 0 ? datatype : type < 20 ? kinds[type] : type == 0x1B || type == 0x1C ? 5 : 2;
        const int length = 4 + data.size();
        m_bytes.append(char(length >> 8)).append(char(length & 0xff)).append(char(type)).append(char(kind));
        m_bytes.append(data);
        return *this;
    }

private:
    void transformation(double angle, double magnification, bool reflected)
    {
        if (!reflected && angle == 0.0 && magnification == 1.0)
            return;
        record(0x1A, int16s({reflected ? -32768 : 0}));
        if (magnification != 1.0)
            record(0x1B, real8(magnification), 5);
        if (angle != 0.0)
            record(0x1C, real8(angle), 5);
    }

    static QByteArray int16s(const std::vector<int> &values)
    {
        QByteArray b;
        for (int v : values)
            b.append(char((v >> 8) & 0xff)).append(char(v & 0xff));
        return b;
    }
    static QByteArray int32s(const std::vector<std::int32_t> &values)
    {
        QByteArray b;
        for (std::int32_t v : values)
            for (int shift = 24; shift >= 0; shift -= 8)
                b.append(char((std::uint32_t(v) >> shift) & 0xff));
        return b;
    }
    static QByteArray xy(const Points &points)
    {
        std::vector<std::int32_t> flat;
        for (const auto &p : points) {
            flat.push_back(p.first);
            flat.push_back(p.second);
        }
        return int32s(flat);
    }
    static QByteArray text(const std::string &s)
    {
        QByteArray b(s.c_str(), int(s.size()));
        if (b.size() % 2)
            b.append('\0');
        return b;
    }
    // Sign, excess-64 exponent of 16, 56-bit fraction.
    static QByteArray real8(double value)
    {
        QByteArray b(8, '\0');
        if (value == 0.0)
            return b;
        unsigned char sign = 0;
        if (value < 0) {
            sign = 0x80;
            value = -value;
        }
        int exponent = 64;
        while (value >= 1.0) {
            value /= 16.0;
            ++exponent;
        }
        while (value < 1.0 / 16.0) {
            value *= 16.0;
            --exponent;
        }
        std::uint64_t fraction = std::uint64_t(std::ldexp(value, 56));
        b[0] = char(sign | exponent);
        for (int i = 7; i >= 1; --i) {
            b[i] = char(fraction & 0xff);
            fraction >>= 8;
        }
        return b;
    }

    QByteArray m_bytes;
};

} // namespace TestSupport
