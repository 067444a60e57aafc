#include "Model/Persistence/DocumentDamage.h"

#include "Model/LengthUnit.h"

#include <QXmlStreamReader>

namespace Model {
namespace Persistence {

namespace {

// "288 000": counts of cells run into the millions and are read at a glance.
QString grouped(std::uint64_t value)
{
    QString digits = QString::number(value);
    for (int at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return digits;
}

QString counted(std::uint64_t count, const char *one, const char *many)
{
    return grouped(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}

} // namespace

void DocumentDamage::addVolume(std::uint64_t declared, std::uint64_t filled, std::uint64_t unreadable)
{
    m_declared += declared;
    m_filled += filled;
    m_unreadable += unreadable;
}

void DocumentDamage::addRefusedVolume()
{
    ++m_refusedVolumes;
}

void DocumentDamage::addUnreadableMaterial()
{
    ++m_unreadableMaterials;
}

void DocumentDamage::addUnreadableObject()
{
    ++m_unreadableObjects;
}

void DocumentDamage::addSurplusValues(std::uint64_t count)
{
    m_surplus += count;
}

void DocumentDamage::addStrayElement()
{
    ++m_strayElements;
}

void DocumentDamage::setBroken(bool endedEarly, qint64 line, qint64 column)
{
    m_broken = true;
    m_endedEarly = endedEarly;
    m_line = line;
    m_column = column;
}

bool DocumentDamage::isDamaged() const
{
    return cellsIncomplete() || m_refusedVolumes > 0 || m_unreadableObjects > 0 || m_surplus > 0
           || m_strayElements > 0;
}

bool DocumentDamage::cellsIncomplete() const
{
    return m_broken || m_filled < m_declared || m_unreadable > 0 || m_unreadableMaterials > 0;
}

QString DocumentDamage::describeCells() const
{
    const QString cells = m_declared == 0
                              ? QStringLiteral("no cell volume was read.")
                              : QStringLiteral("%1 of %2 cells were read.").arg(grouped(cellsRead()), grouped(m_declared));
    if (m_broken && m_endedEarly)
        return QStringLiteral("The document ends early: ") + cells;
    if (m_broken)
        return QStringLiteral("The document is damaged at line %1, column %2: ").arg(m_line).arg(m_column) + cells;
    if (m_filled < m_declared)
        return QStringLiteral("Cells are missing: ") + cells;
    return QString();
}

QStringList DocumentDamage::describe() const
{
    QStringList lines;
    const QString cells = describeCells();
    if (!cells.isEmpty())
        lines << cells;
    if (m_unreadable == 1)
        lines << QStringLiteral("1 cell value was not a number; that cell is empty.");
    else if (m_unreadable > 1)
        lines << grouped(m_unreadable) + QStringLiteral(" cell values were not numbers; those cells are empty.");
    if (m_refusedVolumes > 0)
        lines << counted(m_refusedVolumes, "cell volume", "cell volumes") + QStringLiteral(" could not be loaded.");
    if (m_unreadableMaterials > 0)
        lines << counted(m_unreadableMaterials, "material", "materials") + QStringLiteral(" could not be read.");
    if (m_unreadableObjects > 0)
        lines << counted(m_unreadableObjects, "object", "objects") + QStringLiteral(" could not be read.");
    if (!m_unreadableLengthUnit.isNull())
        lines << QStringLiteral("The length unit \"%1\" is not a length; the default of %2 was taken.")
                     .arg(m_unreadableLengthUnit, LengthUnit().toString());
    if (m_surplus > 0)
        lines << counted(m_surplus, "cell value", "cell values")
                     + QStringLiteral(" beyond the cells of a cell volume %1 dropped.").arg(m_surplus == 1 ? "was" : "were");
    if (m_strayElements > 0)
        lines << counted(m_strayElements, "element", "elements")
                     + QStringLiteral(" inside the cells of a cell volume %1 skipped.")
                           .arg(m_strayElements == 1 ? "was" : "were");
    return lines;
}

unsigned DocumentDamage::skipElement(QXmlStreamReader &reader)
{
    unsigned objects = reader.name() == QLatin1String("Object") ? 1u : 0u;
    int depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            ++depth;
            if (reader.name() == QLatin1String("Object"))
                ++objects;
        } else if (reader.isEndElement()) {
            --depth;
        }
    }
    return objects;
}

} // namespace Persistence
} // namespace Model
