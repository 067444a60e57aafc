#pragma once

#include <QStringList>

#include <cstdint>

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
    // An "Object" whose type cannot be read.
    void addUnreadableObject();
    // The XML stops making sense before the document closes: cut off
    // (`endedEarly`) or malformed at the given place.
    void setBroken(bool endedEarly, qint64 line, qint64 column);

    bool isDamaged() const;
    // One sentence per kind of loss, for the user.
    QStringList describe() const;

    std::uint64_t cellsDeclared() const { return m_declared; }
    // Cells that hold a number from the file.
    std::uint64_t cellsRead() const { return m_filled - m_unreadable; }

private:
    std::uint64_t m_declared = 0;
    std::uint64_t m_filled = 0;
    std::uint64_t m_unreadable = 0;
    unsigned m_refusedVolumes = 0;
    unsigned m_unreadableMaterials = 0;
    unsigned m_unreadableObjects = 0;
    bool m_broken = false;
    bool m_endedEarly = false;
    qint64 m_line = 0;
    qint64 m_column = 0;
};

} // namespace Persistence
} // namespace Model
