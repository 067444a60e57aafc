#include "Model/Persistence/TotalVolumeArchiver.h"

#include "Model/Automaton/TotalVolume.h"
#include "Model/Automaton/VolumeMemory.h"
#include "Model/Persistence/DocumentArchiver.h"
#include "Model/Persistence/DocumentDamage.h"
#include "Model/Persistence/DocumentInput.h"
#include "Util/DecimalText.h"

#include <QDebug>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cmath>
#include <new>

namespace Model {
namespace Persistence {

namespace {

// Material ids of the "State" text, read as they arrive: the text of a large
// volume is never copied or split.
class StateParser
{
public:
    StateParser(std::vector<std::uint32_t> &ids, const ObjectArchiver::MaterialIdMap *map) : m_ids(ids), m_map(map) {}

    void feed(const QStringRef &text)
    {
        for (const QChar c : text) {
            // Spaces separate the values this program writes; tabs and line
            // breaks are white space to anyone editing the file.
            const ushort u = c.unicode();
            if (u == ' ' || u == '\t' || u == '\n' || u == '\r') {
                finishPart();
                continue;
            }
            m_inPart = true;
            if (u >= '0' && u <= '9' && m_valid) {
                m_value = m_value * 10 + (u - '0');
                if (m_value > 0xffffffffull)
                    m_valid = false;
            } else {
                m_valid = false;
            }
        }
    }

    // `complete` is false when the text was cut off: its last number may
    // have lost digits, and is dropped unless a space closed it.
    void finish(bool complete)
    {
        if (complete)
            finishPart();
        m_inPart = false;
    }
    std::size_t filled() const { return m_next; }
    std::size_t unreadable() const { return m_unreadable; }
    // Values beyond the last cell, which have nowhere to go.
    std::uint64_t surplus() const { return m_surplus; }

private:
    void finishPart()
    {
        if (!m_inPart)
            return;
        if (m_next < m_ids.size()) {
            std::uint32_t id = m_valid ? std::uint32_t(m_value) : 0u;
            if (!m_valid)
                ++m_unreadable;
            if (m_map) {
                const auto it = m_map->find(id);
                if (it != m_map->end())
                    id = it->second;
            }
            m_ids[m_next++] = id;
        } else {
            ++m_surplus;
        }
        m_inPart = false;
        m_valid = true;
        m_value = 0;
    }

    std::vector<std::uint32_t> &m_ids;
    const ObjectArchiver::MaterialIdMap *m_map;
    std::size_t m_next = 0;
    std::uint64_t m_value = 0;
    bool m_inPart = false;
    bool m_valid = true;
    std::size_t m_unreadable = 0;
    std::uint64_t m_surplus = 0;
};

// "cellsize-x" = "-1" for a message.
std::string quoted(const char *name, const QStringRef &value)
{
    return "\"" + std::string(name) + "\" = \"" + value.left(40).toString().toStdString() + "\"";
}

} // namespace

void TotalVolumeArchiver::warn(const std::string &text) const
{
    // Once: where a reader listens, it shows the warning itself.
    if (m_warning)
        m_warning(text);
    else
        qWarning() << QString::fromStdString(text);
}

void TotalVolumeArchiver::refuse(const std::string &text) const
{
    warn(text);
    if (m_damage)
        m_damage->addRefusedVolume();
}

void TotalVolumeArchiver::saveObject(const boost::shared_ptr<Object> &object)
{
    const auto volume = boost::dynamic_pointer_cast<Automaton::TotalVolume>(object);
    if (!volume || !m_writer)
        return;
    QXmlStreamWriter &w = *m_writer;
    w.writeStartElement(QStringLiteral("Object"));
    w.writeAttribute(QStringLiteral("object-type"), QString::number(volume->objectType()));
    w.writeAttribute(QStringLiteral("size-x"), QString::number(volume->sizeX()));
    w.writeAttribute(QStringLiteral("size-y"), QString::number(volume->sizeY()));
    w.writeAttribute(QStringLiteral("size-z"), QString::number(volume->sizeZ()));
    w.writeAttribute(QStringLiteral("cellsize-x"), Util::generalNumber(volume->cellsizeX()));
    w.writeAttribute(QStringLiteral("cellsize-y"), Util::generalNumber(volume->cellsizeY()));
    w.writeAttribute(QStringLiteral("cellsize-z"), Util::generalNumber(volume->cellsizeZ()));
    // Only where they are not the closed sides of older documents, which
    // read as closed.
    const Automaton::Boundaries boundaries = volume->boundaries();
    if (!boundaries.isClosed()) {
        w.writeAttribute(QStringLiteral("boundary-x"), Automaton::Boundaries::name(boundaries.x));
        w.writeAttribute(QStringLiteral("boundary-y"), Automaton::Boundaries::name(boundaries.y));
        w.writeAttribute(QStringLiteral("boundary-top"), Automaton::Boundaries::name(boundaries.top));
    }
    {
        w.writeStartElement(QStringLiteral("State"));
        Automaton::LockedCells cells(*volume);
        // Written in pieces: one string for the whole volume would be tens
        // of megabytes for a realistic one.
        constexpr std::size_t Piece = 1 << 16;
        QByteArray text;
        text.reserve(int(Piece * 6));
        for (std::size_t i = 0; i < volume->cellCount(); ++i) {
            Util::appendDecimal(text, cells[i].material);
            text.append(' ');
            if ((i + 1) % Piece == 0) {
                w.writeCharacters(QString::fromLatin1(text));
                text.clear();
            }
        }
        if (!text.isEmpty())
            w.writeCharacters(QString::fromLatin1(text));
        w.writeEndElement();
    }
    const Util::Vector3D p = volume->position();
    w.writeStartElement(QStringLiteral("Position"));
    // Every digit: six would move a volume placed far out or finely.
    w.writeAttribute(QStringLiteral("pos-x"), Util::exactNumber(p.x));
    w.writeAttribute(QStringLiteral("pos-y"), Util::exactNumber(p.y));
    w.writeAttribute(QStringLiteral("pos-z"), Util::exactNumber(p.z));
    w.writeEndElement();
    w.writeEndElement();
}

Automaton::Boundaries TotalVolumeArchiver::readBoundaries(const QXmlStreamAttributes &attributes) const
{
    // Missing ones are closed, as in documents written before there were
    // boundaries; one that is none of the names is named and closed.
    Automaton::Boundaries boundaries;
    const auto read = [&](const char *name, auto *boundary) {
        const QStringRef text = attributes.value(QLatin1String(name));
        if (!text.isNull() && !Automaton::Boundaries::parse(text.toString(), boundary))
            warn("WARNING: A cell volume's " + quoted(name, text) + " is no boundary; it is closed.");
    };
    read("boundary-x", &boundaries.x);
    read("boundary-y", &boundaries.y);
    read("boundary-top", &boundaries.top);
    return boundaries;
}

boost::shared_ptr<Object> TotalVolumeArchiver::loadObject()
{
    if (!m_reader)
        return {};
    QXmlStreamReader &r = *m_reader;
    const QXmlStreamAttributes attributes = r.attributes();
    bool sizesRead = true;
    auto size = [&](const char *name) {
        bool ok = false;
        const unsigned value = attributes.value(QLatin1String(name)).toUInt(&ok);
        sizesRead = sizesRead && ok && value > 0;
        return ok ? value : 0u;
    };
    // Missing ones are 1; present ones must be usable: a cell size of 0 or
    // of no number would place every cell at one point.
    std::string badValue;
    auto cellSize = [&](const char *name) {
        const QStringRef text = attributes.value(QLatin1String(name));
        if (text.isNull())
            return 1.0f;
        bool ok = false;
        const float value = text.toFloat(&ok);
        if (!(ok && std::isfinite(value) && value > 0.0f) && badValue.empty())
            badValue = "a cell size " + quoted(name, text) + " that is not a positive number";
        return ok && value > 0.0f ? value : 1.0f;
    };
    const unsigned sx = size("size-x"), sy = size("size-y"), sz = size("size-z");
    const float cx = cellSize("cellsize-x"), cy = cellSize("cellsize-y"), cz = cellSize("cellsize-z");
    const Automaton::Boundaries boundaries = readBoundaries(attributes);
    if (!sizesRead) {
        refuse("WARNING: A cell volume without readable sizes was skipped.");
        DocumentArchiver::skipNested(r, m_warning, m_damage, 1);
        return {};
    }
    if (!badValue.empty()) {
        refuse("WARNING: A cell volume with " + badValue + " was skipped.");
        DocumentArchiver::skipNested(r, m_warning, m_damage, 1);
        return {};
    }
    std::string problem;
    if (!Automaton::VolumeMemory::fits(sx, sy, sz, &problem)) {
        refuse("WARNING: " + problem + " It was not loaded.");
        DocumentArchiver::skipNested(r, m_warning, m_damage, 1);
        return {};
    }
    const std::string unallocated = "WARNING: " + Automaton::VolumeMemory::describeNeed(sx, sy, sz)
                                    + ", which could not be allocated. It was not loaded.";

    std::vector<std::uint32_t> ids;
    try {
        ids.assign(std::size_t(sx) * sy * sz, 0);
    } catch (const std::bad_alloc &) {
        refuse(unallocated);
        DocumentArchiver::skipNested(r, m_warning, m_damage, 1);
        return {};
    }
    Util::Vector3D position;
    std::string badPosition;
    StateParser state(ids, m_map);
    // The children of "Object": "State" and "Position".
    while (r.readNextStartElement()) {
        if (r.name() == QLatin1String("State")) {
            bool complete = false;
            bool cutTextReleased = false;
            while (true) {
                r.readNext();
                if (r.isCharacters()) {
                    state.feed(r.text());
                } else if (r.isEndElement()) {
                    complete = true;
                    break;
                } else if (r.isStartElement()) {
                    // Not part of any cell; the cells after it still are.
                    const std::string name = r.name().toString().toStdString();
                    DocumentArchiver::skipNested(r, m_warning, m_damage);
                    warn("WARNING: An element \"" + name + "\" inside the cells of a cell volume was skipped.");
                    if (m_damage)
                        m_damage->addStrayElement();
                } else if (r.hasError()) {
                    if (r.error() == QXmlStreamReader::PrematureEndOfDocumentError && !cutTextReleased
                        && DocumentInput::releaseCutText(r)) {
                        cutTextReleased = true;
                        continue;
                    }
                    break;
                }
            }
            state.finish(complete);
        } else if (r.name() == QLatin1String("Position")) {
            // Any finite place opens, however far out (the program writes
            // what it was given); only a place that is no number is refused.
            const QXmlStreamAttributes at = r.attributes();
            double p[3] = {0, 0, 0};
            const char *const names[3] = {"pos-x", "pos-y", "pos-z"};
            for (int axis = 0; axis < 3; ++axis) {
                const QStringRef text = at.value(QLatin1String(names[axis]));
                if (text.isNull())
                    continue;
                bool ok = false;
                p[axis] = text.toDouble(&ok);
                if (!(ok && std::isfinite(p[axis])) && badPosition.empty())
                    badPosition = "a position " + quoted(names[axis], text) + " that is not a finite number";
            }
            position = Util::Vector3D(p[0], p[1], p[2]);
            DocumentArchiver::skipNested(r, m_warning, m_damage);
        } else {
            DocumentArchiver::skipNested(r, m_warning, m_damage);
        }
    }
    if (!badPosition.empty()) {
        refuse("WARNING: A cell volume with " + badPosition + " was skipped.");
        return {};
    }
    try {
        boost::shared_ptr<Automaton::TotalVolume> volume(new Automaton::TotalVolume(sx, sy, sz, cx, cy, cz,
                                                                                    position, ids));
        volume->setBoundaries(boundaries);
        if (m_damage)
            m_damage->addVolume(ids.size(), state.filled(), state.unreadable());
        if (state.unreadable() > 0)
            warn("WARNING: " + std::to_string(state.unreadable())
                 + " cell values of a cell volume were not numbers; those cells are empty.");
        if (state.surplus() > 0) {
            warn("WARNING: A cell volume of " + std::to_string(sx) + " x " + std::to_string(sy) + " x "
                 + std::to_string(sz) + " cells holds " + std::to_string(state.surplus())
                 + " more cell values than cells; they were dropped.");
            if (m_damage)
                m_damage->addSurplusValues(state.surplus());
        }
        return volume;
    } catch (const std::bad_alloc &) {
        refuse(unallocated);
        return {};
    }
}

} // namespace Persistence
} // namespace Model
