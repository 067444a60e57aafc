#pragma once

#include <cstdint>
#include <map>
#include <mutex>

namespace Core {
namespace Operations {

// How a process run leaves the volume's Si lattice.
enum SiLatticeEffect {
    LeavesSiLattice,   // no silicon cell changed
    OutdatesSiLattice, // silicon cells changed; rebuild the lattice before it is used
    RenewsSiLattice    // the run worked on the lattice itself, which matches the cells
};

// How a run that grows or removes cells of `material` leaves the lattice:
// silicon grown or removed is not in the lattice built before.
SiLatticeEffect effectOfChanging(std::uint32_t material);

// What the processes remember per cell volume (keyed by object id): the id
// of the last operation that ran on it, and whether its Si lattice is out of
// date because a process changed silicon cells since the lattice was built.
// A batch run writes them on its own thread while the window reads them, so
// every access holds the records' lock.
class ProcessRecords
{
public:
    static constexpr int NoOperation = -1;

    // What every process run leaves in the records, whether the window or
    // a process list ran it: the operation id as the volume's last process,
    // and the lattice's state as `effect` says.
    void noteRun(unsigned objectId, int operationId, SiLatticeEffect effect);

    void setLastOperation(unsigned objectId, int operationId);
    // NoOperation when nothing has run on the volume.
    int lastOperation(unsigned objectId) const;

    void setSiLatticeStale(unsigned objectId, bool stale);
    bool hasSiLatticeRecord(unsigned objectId) const;
    // A volume without a record has never had a lattice built for it, so
    // its lattice counts as out of date too.
    bool needsSiLatticeRebuild(unsigned objectId) const;

    void clear();

private:
    mutable std::mutex m_mutex;
    std::map<unsigned, int> m_lastOperation;
    std::map<unsigned, unsigned char> m_siLatticeStale;
};

} // namespace Operations
} // namespace Core
