#pragma once

#include <QStringList>

#include <cstdint>

class QXmlStreamReader;

namespace Model {
namespace Persistence {

// What reading a document could not recover. A document read in part must
// say what was lost, and must not be saved back over its file as if it
// were whole.
class DocumentDamage
{
public:
    // One cell volume: the cells its sizes declare, how many of them its
    // "State" text filled, and how many of those were not numbers.
    void addVolume(std::uint64_t declared, std::uint64_t filled, std::uint64_t unreadable);
    // A volume whose sizes could not be used: none of its cells were read.
    void addRefusedVolume();
    void addUnreadableMaterial();
    // A length unit that is not a length: the default was taken instead.
    void setUnreadableLengthUnit(const QString &value) { m_unreadableLengthUnit = value; }
    // An "Object" that was not read: its type is missing, not a number or
    // one that documents do not hold, or it stands inside another element.
    void addUnreadableObject();
    // Cell values beyond the cells a volume's sizes declare.
    void addSurplusValues(std::uint64_t count);
    // An element inside the cells ("State") of a volume.
    void addStrayElement();
    // The XML stops making sense before the document closes: cut off
    // (`endedEarly`) or malformed at the given place.
    void setBroken(bool endedEarly, qint64 line, qint64 column);

    bool isDamaged() const;
    // Whether a volume that was read lacks cells, or holds cells whose
    // material is not known for sure. Otherwise whatever was read is whole,
    // and only what was skipped is lost.
    bool cellsIncomplete() const;
    // One sentence per kind of loss, for the user.
    QStringList describe() const;
    // The sentence on the cells read, when some are missing (the one loss
    // the readers do not warn of as they meet it); empty otherwise.
    QString describeCells() const;

    // Steps over the element the reader stands on; returns the number of
    // "Object" elements it held, the element itself included.
    static unsigned skipElement(QXmlStreamReader &reader);

    std::uint64_t cellsDeclared() const { return m_declared; }
    // Cells that hold a number from the file.
    std::uint64_t cellsRead() const { return m_filled - m_unreadable; }

private:
    std::uint64_t m_declared = 0;
    std::uint64_t m_filled = 0;
    std::uint64_t m_unreadable = 0;
    unsigned m_refusedVolumes = 0;
    unsigned m_unreadableMaterials = 0;
    QString m_unreadableLengthUnit;
    unsigned m_unreadableObjects = 0;
    std::uint64_t m_surplus = 0;
    unsigned m_strayElements = 0;
    bool m_broken = false;
    bool m_endedEarly = false;
    qint64 m_line = 0;
    qint64 m_column = 0;
};

} // namespace Persistence
} // namespace Model
