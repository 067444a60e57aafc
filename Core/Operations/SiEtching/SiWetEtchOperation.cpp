#include "Core/Operations/SiEtching/SiWetEtchOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/SiEtching/SiLatticePreparation.h"
#include "Model/Automaton/TotalVolume.h"
#include "Util/DebugLog.h"

#include <QDebug>
#include <QElapsedTimer>

namespace Core {
namespace Operations {

SiWetEtchOperation::SiWetEtchOperation(OperationContext *context, const std::string &title, int id,
                                       const std::string &stateKey, int instance)
    : ProcessOperation(context, title, id, stateKey, instance)
{
}

void SiWetEtchOperation::setDepth(double depth)
{
    m_depth = depth;
    m_depthAccepted = true;
    addInput();
}

bool SiWetEtchOperation::ensureLattice(Model::Automaton::TotalVolume &volume)
{
    std::string problem;
    if (prepareSiLattice(volume, context()->processRecords().needsSiLatticeRebuild(volume.id()), &problem))
        return true;
    postMessage(problem);
    return false;
}

void SiWetEtchOperation::end()
{
    if (!volume() || !m_depthAccepted) {
        cancel();
        return;
    }
    QElapsedTimer timer;
    timer.start();
    if (!ensureLattice(*volume())) {
        cancelSilently();
        return;
    }
    const qint64 allocation = timer.elapsed();
    runProcess(
        [this, allocation](Model::Automaton::TotalVolume &target) {
            QElapsedTimer run;
            run.start();
            runEtch(target, m_depth);
            qCDebug(tessivalLog) << "Total time to allocate and run " << allocation + run.elapsed();
        },
        RenewsSiLattice);
}

} // namespace Operations
} // namespace Core
