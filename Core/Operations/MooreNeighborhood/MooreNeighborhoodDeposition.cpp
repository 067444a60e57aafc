#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodDeposition.h"

#include "Util/DebugLog.h"

#include <QDebug>

namespace Core {
namespace Operations {

MooreNeighborhoodDeposition::MooreNeighborhoodDeposition(Model::Automaton::TotalVolume &volume,
                                                         std::uint32_t material, int steps, Interrupter *interrupter)
    : MooreNeighborhoodFront(volume, 0, material, steps, interrupter)
{
}

bool MooreNeighborhoodDeposition::runDeposition()
{
    qCDebug(tessivalLog) << "Steps to run " << steps();
    qCDebug(tessivalLog) << "Threads " << threadCount();
    qCDebug(tessivalLog) << "Strips per thread " << planes() / int(threadCount());
    qCDebug(tessivalLog) << "Deposited material id " << newMaterial();
    return run();
}

} // namespace Operations
} // namespace Core
