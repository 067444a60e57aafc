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
    setLastOperation(objectId, operationId);
    if (effect != LeavesSiLattice)
        setSiLatticeStale(objectId, effect == OutdatesSiLattice);
}

void ProcessRecords::setLastOperation(unsigned objectId, int operationId)
{
    m_lastOperation[objectId] = operationId;
}

int ProcessRecords::lastOperation(unsigned objectId) const
{
    const auto it = m_lastOperation.find(objectId);
    return it == m_lastOperation.end() ? NoOperation : it->second;
}

void ProcessRecords::setSiLatticeStale(unsigned objectId, bool stale)
{
    m_siLatticeStale[objectId] = stale ? 1 : 0;
}

bool ProcessRecords::hasSiLatticeRecord(unsigned objectId) const
{
    return m_siLatticeStale.count(objectId) != 0;
}

bool ProcessRecords::needsSiLatticeRebuild(unsigned objectId) const
{
    const auto it = m_siLatticeStale.find(objectId);
    return it == m_siLatticeStale.end() || it->second != 0;
}

void ProcessRecords::clear()
{
    m_lastOperation.clear();
    m_siLatticeStale.clear();
}

} // namespace Operations
} // namespace Core
