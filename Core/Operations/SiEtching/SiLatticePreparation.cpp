#include "Core/Operations/SiEtching/SiLatticePreparation.h"

#include "Core/Operations/Frames/Interrupter.h"
#include "Model/Automaton/SiLattice.h"
#include "Model/Automaton/SiLatticeMemory.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Automaton/VolumeMemory.h"
#include "Util/DebugLog.h"

#include <QDebug>
#include <QElapsedTimer>

#include <new>

namespace Core {
namespace Operations {

bool prepareSiLattice(Model::Automaton::TotalVolume &volume, bool stale, std::string *problem,
                      const std::function<std::uint64_t()> &availableBytes, Interrupter *interrupter)
{
    using Model::Automaton::VolumeMemory;
    if (volume.siLattice() && !stale)
        return true;
    // A stale lattice is of no further use; its memory is the new one's.
    if (volume.siLattice()) {
        volume.dropSiLattice();
        VolumeMemory::releaseFreedMemory();
    }
    const std::uint64_t available = availableBytes ? availableBytes() : VolumeMemory::availableBytes();
    if (!Model::Automaton::SiLatticeMemory::fits(volume, available, problem))
        return false;
    QElapsedTimer timer;
    timer.start();
    Model::Automaton::SiLattice::BuildProgress progress;
    if (interrupter)
        progress = [interrupter](unsigned done, unsigned total) {
            return !stopRequested(interrupter, "Building the Si lattice", int(done), int(total));
        };
    try {
        if (!volume.rebuildSiLattice(progress))
            return false;
    } catch (const std::bad_alloc &) {
        volume.dropSiLattice();
        if (problem)
            *problem = Model::Automaton::SiLatticeMemory::describeNeed(volume) + ", which could not be allocated.";
        return false;
    }
    qCDebug(tessivalLog) << "Time to allocate Si structure " << timer.elapsed();
    return true;
}

} // namespace Operations
} // namespace Core
