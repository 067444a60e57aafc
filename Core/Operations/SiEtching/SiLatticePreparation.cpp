#include "Core/Operations/SiEtching/SiLatticePreparation.h"

#include "Core/Operations/ProcessRecords.h"
#include "Model/Automaton/SiLatticeMemory.h"
#include "Model/Automaton/TotalVolume.h"

#include <QDebug>
#include <QElapsedTimer>

#include <new>

namespace Core {
namespace Operations {

bool prepareSiLattice(Model::Automaton::TotalVolume &volume, const ProcessRecords &records, std::string *problem)
{
    if (volume.siLattice() && !records.needsSiLatticeRebuild(volume.id()))
        return true;
    if (!Model::Automaton::SiLatticeMemory::fits(volume, problem))
        return false;
    QElapsedTimer timer;
    timer.start();
    try {
        volume.rebuildSiLattice();
    } catch (const std::bad_alloc &) {
        volume.dropSiLattice();
        if (problem)
            *problem = Model::Automaton::SiLatticeMemory::describeNeed(volume) + ", which could not be allocated.";
        return false;
    }
    qDebug() << "Time to allocate Si structure " << timer.elapsed();
    return true;
}

} // namespace Operations
} // namespace Core
