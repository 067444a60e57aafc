#pragma once

#include "Model/Process/ProcessFactory.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace Model {
namespace Process {

// The materials a process works on (the ones it dopes or oxidizes), taken
// once from the catalogue so that a worker's cell loops ask a plain sorted
// list rather than the locked catalogue.
class MaterialSet
{
public:
    explicit MaterialSet(std::vector<unsigned> ids) : m_ids(std::move(ids))
    {
        std::sort(m_ids.begin(), m_ids.end());
        m_ids.erase(std::unique(m_ids.begin(), m_ids.end()), m_ids.end());
    }

    // The compatible materials of the catalogue's process of that name.
    static MaterialSet compatibleWith(const QString &processName)
    {
        return MaterialSet(ProcessFactory::getInstance()->getProcessByName(processName).compatibleMaterials());
    }

    bool contains(std::uint32_t id) const { return std::binary_search(m_ids.begin(), m_ids.end(), id); }
    bool empty() const { return m_ids.empty(); }

private:
    std::vector<unsigned> m_ids;
};

} // namespace Process
} // namespace Model
