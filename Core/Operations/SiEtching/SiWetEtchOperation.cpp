#include "Core/Operations/SiEtching/SiWetEtchOperation.h"

#include "Core/Operations/Frames/SiWetEtchFrame.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/TotalVolume.h"
#include "Util/DebugLog.h"

#include <QDebug>
#include <QElapsedTimer>

namespace Core {
namespace Operations {

SiWetEtchOperation::SiWetEtchOperation(OperationContext *context, const ProcessKind<WetEtchParameters> &descriptor,
                                       int instance)
    : ProcessOperation(context, descriptor, instance)
    , m_kind(descriptor)
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
    std::string problem;
    if (!SiWetEtchFrame::placesAtoms(volume, &problem)) {
        postMessage(problem);
        return LatticeRefused;
    }
    const bool stale = ctx.processRecords().needsSiLatticeRebuild(volume.id());
    // A lattice that is up to date needs no step of its own.
    if (volume.siLattice() && !stale) {
        if (SiWetEtchFrame::servesCells(volume, &problem))
            return LatticeReady;
        postMessage(problem);
        return LatticeRefused;
    }
    bool ready = false;
    const auto build = [&](Interrupter *interrupter) {
        ready = m_kind.prepare(volume, ctx.processRecords(), &problem, interrupter);
    };
    // A stopped build tells no problem.
    if (ctx.runStep(title(), build) == StepRunner::Canceled || (!ready && problem.empty()))
        return LatticeCanceled;
    if (ready)
        return LatticeReady;
    postMessage(problem);
    return LatticeRefused;
}

void SiWetEtchOperation::end()
{
    if (!volume() || !m_depthAccepted) {
        cancel();
        return;
    }
    std::string problem;
    if (!SiWetEtchFrame::depthFits(m_depth, &problem)) {
        postMessage(problem);
        cancelSilently();
        return;
    }
    QElapsedTimer timer;
    timer.start();
    switch (ensureLattice(*volume())) {
    case LatticeReady: break;
    case LatticeRefused: cancelSilently(); return;
    // The cells are untouched: a stopped build only leaves no lattice.
    case LatticeCanceled: cancelCanceled(); return;
    }
    const qint64 allocation = timer.elapsed();
    const ProcessRun etch = m_kind.bind({m_depth});
    runProcess({[etch, allocation](Model::Automaton::TotalVolume &target, Interrupter *interrupter) {
                    QElapsedTimer run;
                    run.start();
                    const bool finished = etch.run(target, interrupter);
                    qCDebug(tessivalLog) << "Total time to allocate and run " << allocation + run.elapsed();
                    return finished;
                },
                etch.effect});
}

} // namespace Operations
} // namespace Core
