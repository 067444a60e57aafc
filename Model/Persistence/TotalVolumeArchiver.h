#pragma once

#include "Model/Automaton/Boundaries.h"
#include "Model/Persistence/ObjectArchiver.h"

class QXmlStreamAttributes;

namespace Model {
namespace Persistence {

// The cell volume in a document: its sizes, cell sizes and boundaries
// ("boundary-x", "boundary-y", "boundary-top", left out where closed) as
// attributes of "Object", its cells as the "State" text (one material id
// and a space per cell, in cell-index order) and its place as "Position".
class TotalVolumeArchiver : public ObjectArchiver
{
public:
    void setWriter(QXmlStreamWriter *writer) override { m_writer = writer; }
    void setReader(QXmlStreamReader *reader) override { m_reader = reader; }
    void setMaterialIdMap(MaterialIdMap *map) override { m_map = map; }
    void setWarning(const Warning &warning) override { m_warning = warning; }
    void setDamage(DocumentDamage *damage) override { m_damage = damage; }
    void saveObject(const boost::shared_ptr<Object> &object) override;
    // Sizes come from the file: a volume that cannot be held in memory, or
    // whose sizes are missing or not numbers, is refused with a warning and
    // its element skipped. A "State" cut off by the end of the file keeps
    // the cells read up to the cut; the rest are empty.
    boost::shared_ptr<Object> loadObject() override;

private:
    void warn(const std::string &text) const;
    Automaton::Boundaries readBoundaries(const QXmlStreamAttributes &attributes) const;
    // Warns of a volume that is not loaded at all.
    void refuse(const std::string &text) const;

    QXmlStreamWriter *m_writer = nullptr;
    QXmlStreamReader *m_reader = nullptr;
    MaterialIdMap *m_map = nullptr;
    Warning m_warning;
    DocumentDamage *m_damage = nullptr;
};

} // namespace Persistence
} // namespace Model
