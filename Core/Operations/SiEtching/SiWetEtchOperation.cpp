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

SiWetEtchOperation::LatticeOutcome SiWetEtchOperation::ensureLattice(Model::Automaton::TotalVolume &volume)
{
    OperationContext &ctx = *context();
    const bool stale = ctx.processRecords().needsSiLatticeRebuild(volume.id());
    // A lattice that is up to date needs no step of its own.
    if (volume.siLattice() && !stale)
        return LatticeReady;
    std::string problem;
    bool ready = false;
    const auto build = [&](Interrupter *interrupter) {
        ready = prepareSiLattice(volume, stale, &problem, {}, interrupter);
    };
    if (ctx.runStep(title(), build) == StepRunner::Canceled)
        return LatticeCanceled;
    if (ready)
        return LatticeReady;
    postMessage(problem);
    return LatticeTooLarge;
}

void SiWetEtchOperation::end()
{
    if (!volume() || !m_depthAccepted) {
        cancel();
        return;
    }
    QElapsedTimer timer;
    timer.start();
    switch (ensureLattice(*volume())) {
    case LatticeReady: break;
    case LatticeTooLarge: cancelSilently(); return;
    // The cells are untouched: a stopped build only leaves no lattice.
    case LatticeCanceled: cancelCanceled(); return;
    }
    const qint64 allocation = timer.elapsed();
    runProcess(
        [this, allocation](Model::Automaton::TotalVolume &target, Interrupter *interrupter) {
            QElapsedTimer run;
            run.start();
            runEtch(target, m_depth, interrupter);
            qCDebug(tessivalLog) << "Total time to allocate and run " << allocation + run.elapsed();
        },
        RenewsSiLattice);
}

} // namespace Operations
} // namespace Core
