#include "Core/Operations/ProcessRecords.h"

#include "Model/Materials/Material.h"

namespace Core {
namespace Operations {

SiLatticeEffect effectOfChanging(std::uint32_t material)
{
    return material == Model::Materials::SiliconId ? OutdatesSiLattice : LeavesSiLattice;
}

void ProcessRecords::noteRun(unsigned objectId, int operationId, SiLatticeEffect effect)
{
    // Both at once: a reader never sees the operation without its effect.
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lastOperation[objectId] = operationId;
    if (effect != LeavesSiLattice)
        m_siLatticeStale[objectId] = effect == OutdatesSiLattice ? 1 : 0;
}

void ProcessRecords::setLastOperation(unsigned objectId, int operationId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lastOperation[objectId] = operationId;
}

int ProcessRecords::lastOperation(unsigned objectId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_lastOperation.find(objectId);
    return it == m_lastOperation.end() ? NoOperation : it->second;
}

void ProcessRecords::setSiLatticeStale(unsigned objectId, bool stale)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_siLatticeStale[objectId] = stale ? 1 : 0;
}

bool ProcessRecords::hasSiLatticeRecord(unsigned objectId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_siLatticeStale.count(objectId) != 0;
}

bool ProcessRecords::needsSiLatticeRebuild(unsigned objectId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_siLatticeStale.find(objectId);
    return it == m_siLatticeStale.end() || it->second != 0;
}

void ProcessRecords::clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lastOperation.clear();
    m_siLatticeStale.clear();
}

} // namespace Operations
} // namespace Core
