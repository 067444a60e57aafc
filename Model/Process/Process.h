#pragma once

#include <QString>

#include <vector>

namespace Model {
namespace Process {

// One fabrication process of the process catalogue and the materials its
// option dialogs offer, in insertion order (an id may appear twice).
class Process
{
public:
    // The empty process: no name, id 0, no materials.
    Process() = default;
    Process(const QString &name, unsigned id, const std::vector<unsigned> &compatibleMaterials)
        : m_name(name), m_id(id), m_compatibleMaterials(compatibleMaterials)
    {
    }

    const QString &name() const { return m_name; }
    unsigned id() const { return m_id; }
    const std::vector<unsigned> &compatibleMaterials() const { return m_compatibleMaterials; }
    void setCompatibleMaterials(const std::vector<unsigned> &ids) { m_compatibleMaterials = ids; }

    bool operator==(const Process &o) const
    {
        return m_name == o.m_name && m_id == o.m_id && m_compatibleMaterials == o.m_compatibleMaterials;
    }
    bool operator!=(const Process &o) const { return !(*this == o); }

private:
    QString m_name;
    unsigned m_id = 0;
    std::vector<unsigned> m_compatibleMaterials;
};

} // namespace Process
} // namespace Model
