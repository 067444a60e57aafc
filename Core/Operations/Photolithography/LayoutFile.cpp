#include "Core/Operations/Photolithography/LayoutFile.h"

#include <QFile>

#include <cmath>
#include <set>

namespace Core {
namespace Operations {

namespace {

// Record types of the stream format that a mask needs.
enum Record : std::uint8_t {
    Header = 0x00,
    Units = 0x03,
    EndLibrary = 0x04,
    BeginCell = 0x05,
    CellName = 0x06,
    EndCell = 0x07,
    Boundary = 0x08,
    PathStart = 0x09,
    CellReference = 0x0A,
    ArrayReference = 0x0B,
    Text = 0x0C,
    Layer = 0x0D,
    Datatype = 0x0E,
    Width = 0x0F,
    XY = 0x10,
    EndElement = 0x11,
    ReferencedName = 0x12,
    ColumnsRows = 0x13,
    Node = 0x15,
    Transformation = 0x1A,
    Magnification = 0x1B,
    Angle = 0x1C,
    PathType = 0x21,
    Box = 0x2D,
    BoxType = 0x2E,
    BeginExtension = 0x30,
    EndExtension = 0x31,
};

// One record's data, read only within its bounds.
class RecordData
{
public:
    RecordData(const unsigned char *data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t size() const { return m_size; }
    bool has(std::size_t bytes) const { return m_size >= bytes; }

    unsigned uint16(std::size_t at = 0) const { return unsigned(m_data[at]) << 8 | m_data[at + 1]; }
    int int16(std::size_t at = 0) const { return std::int16_t(std::uint16_t(uint16(at))); }
    std::int32_t int32(std::size_t at = 0) const
    {
        return std::int32_t(std::uint32_t(m_data[at]) << 24 | std::uint32_t(m_data[at + 1]) << 16
                            | std::uint32_t(m_data[at + 2]) << 8 | std::uint32_t(m_data[at + 3]));
    }
    // Eight-byte reals: sign, excess-64 exponent of 16, 56-bit fraction.
    double real8(std::size_t at = 0) const
    {
        std::uint64_t fraction = 0;
        for (std::size_t i = 1; i < 8; ++i)
            fraction = fraction << 8 | m_data[at + i];
        const int exponent = (m_data[at] & 0x7f) - 64;
        const double value = std::ldexp(double(fraction), 4 * exponent - 56);
        return (m_data[at] & 0x80) ? -value : value;
    }
    std::string text() const
    {
        std::string s(reinterpret_cast<const char *>(m_data), m_size);
        while (!s.empty() && s.back() == '\0')
            s.pop_back();
        return s;
    }

private:
    const unsigned char *m_data;
    std::size_t m_size;
};

QString cellText(const std::string &name)
{
    return QString::fromLatin1(name.c_str());
}

} // namespace

bool LayoutFile::readFile(const QString &fileName, QString *problem)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = file.errorString();
        return false;
    }
    return read(file.readAll(), problem);
}

bool LayoutFile::read(const QByteArray &bytes, QString *problem)
{
    m_cells.clear();
    m_userUnits = 1.0;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const std::size_t size = std::size_t(bytes.size());
    const auto fail = [problem](const QString &why) {
        *problem = why;
        return false;
    };

    Cell *cell = nullptr;
    bool cellNamed = false;
    bool inElement = false;
    bool keepElement = false;
    Element element;
    std::size_t at = 0;
    bool first = true;
    while (at < size) {
        if (size - at < 4)
            return fail(QStringLiteral("the file ends inside a record"));
        const std::size_t length = std::size_t(data[at]) << 8 | data[at + 1];
        const std::uint8_t type = data[at + 2];
        if (first && type != Header)
            return fail(QStringLiteral("it is not a layout file"));
        first = false;
        if (length < 4 || length % 2 != 0)
            return fail(QStringLiteral("a record has the impossible length %1").arg(length));
        if (length > size - at)
            return fail(QStringLiteral("the file ends inside a record"));
        const RecordData record(data + at + 4, length - 4);
        at += length;

        // Records of an element, or of an element that is skipped.
        if (inElement && type != EndElement) {
            if (!keepElement)
                continue;
            switch (type) {
            case Layer:
                if (!record.has(2))
                    return fail(QStringLiteral("a layer number is missing"));
                element.layer = record.uint16();
                break;
            case Datatype:
            case BoxType:
                if (!record.has(2))
                    return fail(QStringLiteral("a datatype is missing"));
                element.datatype = record.uint16();
                break;
            case Width:
                if (!record.has(4))
                    return fail(QStringLiteral("a path width is missing"));
                element.width = record.int32();
                break;
            case PathType:
                if (!record.has(2))
                    return fail(QStringLiteral("a path type is missing"));
                element.pathType = record.int16();
                break;
            case BeginExtension:
            case EndExtension:
                if (!record.has(4))
                    return fail(QStringLiteral("a path extension is missing"));
                (type == BeginExtension ? element.beginExtension : element.endExtension) = record.int32();
                break;
            case XY:
                if (record.size() < 8 || record.size() % 8 != 0)
                    return fail(QStringLiteral("a coordinate list is damaged"));
                element.points.clear();
                for (std::size_t i = 0; i < record.size(); i += 8)
                    element.points.push_back({double(record.int32(i)), double(record.int32(i + 4))});
                break;
            case ReferencedName:
                element.cell = record.text();
                break;
            case Transformation:
                if (!record.has(2))
                    return fail(QStringLiteral("a placement's transformation is missing"));
                element.reflected = (record.uint16() & 0x8000) != 0;
                break;
            case Magnification:
                if (!record.has(8))
                    return fail(QStringLiteral("a magnification is missing"));
                element.magnification = record.real8();
                break;
            case Angle:
                if (!record.has(8))
                    return fail(QStringLiteral("an angle is missing"));
                element.angle = record.real8();
                break;
            case ColumnsRows:
                if (!record.has(4))
                    return fail(QStringLiteral("an array's size is missing"));
                element.columns = record.int16(0);
                element.rows = record.int16(2);
                break;
            default: break; // properties and the like
            }
            continue;
        }

        switch (type) {
        case Header: break;
        case Units:
            if (!record.has(16))
                return fail(QStringLiteral("the units are damaged"));
            m_userUnits = record.real8(0);
            if (!std::isfinite(m_userUnits) || m_userUnits <= 0.0)
                return fail(QStringLiteral("the units are damaged"));
            break;
        case BeginCell:
            if (cell)
                return fail(QStringLiteral("a cell begins inside another"));
            cell = &m_scratch;
            *cell = Cell();
            cellNamed = false;
            break;
        case CellName: {
            if (!cell || cellNamed)
                return fail(QStringLiteral("a cell name is out of place"));
            const std::string name = record.text();
            if (m_cells.count(name))
                return fail(QStringLiteral("two cells are named %1").arg(cellText(name)));
            cell = &m_cells[name];
            cellNamed = true;
            break;
        }
        case EndCell:
            if (!cell || !cellNamed)
                return fail(QStringLiteral("a cell ends without a name"));
            cell = nullptr;
            break;
        case Boundary:
        case Box:
        case PathStart:
        case CellReference:
        case ArrayReference:
        case Text:
        case Node:
            if (!cell || !cellNamed)
                return fail(QStringLiteral("a shape lies outside every cell"));
            inElement = true;
            keepElement = type != Text && type != Node;
            element = Element();
            element.kind = type == PathStart ? Element::Path
                : type == CellReference || type == ArrayReference ? Element::Reference
                                                                   : Element::Polygon;
            element.isArray = type == ArrayReference;
            break;
        case EndElement:
            if (!inElement)
                return fail(QStringLiteral("a shape ends that never began"));
            inElement = false;
            if (keepElement) {
                QString why;
                if (!usable(element, &why))
                    return fail(why);
                cell->elements.push_back(element);
            }
            break;
        case EndLibrary:
            if (cell || inElement)
                return fail(QStringLiteral("the library ends inside a cell"));
            return true;
        default: break; // library names, dates, fonts...
        }
    }
    return fail(QStringLiteral("the file ends before its library does"));
}

bool LayoutFile::usable(const Element &element, QString *problem)
{
    const std::size_t points = element.points.size();
    switch (element.kind) {
    case Element::Polygon:
        if (points < 3)
            *problem = QStringLiteral("a polygon has fewer than three points");
        break;
    case Element::Path:
        if (points < 1)
            *problem = QStringLiteral("a path has no points");
        break;
    case Element::Reference:
        if (element.cell.empty())
            *problem = QStringLiteral("a placement names no cell");
        else if (points < (element.isArray ? 3u : 1u))
            *problem = QStringLiteral("a placement has no position");
        else if (element.columns < 1 || element.rows < 1)
            *problem = QStringLiteral("an array has no columns or rows");
        else if (!std::isfinite(element.magnification) || element.magnification <= 0.0 || !std::isfinite(element.angle))
            *problem = QStringLiteral("a placement's magnification or angle is damaged");
        break;
    }
    return problem->isEmpty();
}

std::vector<std::string> LayoutFile::topCells() const
{
    std::set<std::string> placed;
    for (const auto &cell : m_cells)
        for (const Element &element : cell.second.elements)
            if (element.kind == Element::Reference)
                placed.insert(element.cell);
    std::vector<std::string> tops;
    for (const auto &cell : m_cells)
        if (!placed.count(cell.first))
            tops.push_back(cell.first);
    return tops;
}

} // namespace Operations
} // namespace Core
