#include "Core/Operations/SiEtching/SiWetEtchOperation.h"

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

void SiWetEtchOperation::end()
{
    if (!volume() || !m_depthAccepted) {
        cancel();
        return;
    }
    QElapsedTimer timer;
    timer.start();
    std::string problem;
    if (!m_kind.prepare(*volume(), context()->processRecords(), &problem)) {
        postMessage(problem);
        cancelSilently();
        return;
    }
    const qint64 allocation = timer.elapsed();
    const ProcessRun etch = m_kind.bind({m_depth});
    runProcess({[etch, allocation](Model::Automaton::TotalVolume &target, Interrupter *interrupter) {
                    QElapsedTimer run;
                    run.start();
                    etch.run(target, interrupter);
                    qCDebug(tessivalLog) << "Total time to allocate and run " << allocation + run.elapsed();
                },
                etch.effect});
}

} // namespace Operations
} // namespace Core
