#include "Core/Operations/SiEtching/SiWetEtchOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/SiEtching/SiLatticePreparation.h"
#include "Model/Automaton/CellVolumes.h"

#include <QDebug>
#include <QElapsedTimer>

namespace Core {
namespace Operations {

SiWetEtchOperation::SiWetEtchOperation(OperationContext *context, const std::string &title, int id)
    : Operation(context, title, id)
{
}

void SiWetEtchOperation::execute()
{
    if (m_volumeSelected)
        return;
    OperationContext &ctx = *context();
    m_volume = Model::Automaton::firstCellVolume(ctx.pickInput().selectedObjects());
    if (m_volume) {
        m_fromSelection = true;
        ctx.selectionManager().clear();
    }
    if (!m_volume) {
        boost::shared_ptr<Model::Automaton::TotalVolume> only;
        int volumes = 0;
        for (const auto &object : ctx.document().allObjects())
            if (auto volume = boost::dynamic_pointer_cast<Model::Automaton::TotalVolume>(object)) {
                only = volume;
                ++volumes;
            }
        if (volumes == 1)
            m_volume = only;
    }
    if (!m_volume) {
        postMessage("Select a cell volume and press Enter/Return.");
        ctx.consoleInput().requestEnter(this);
        ctx.selectionManager().setMode(true);
        return;
    }
    ctx.selectionManager().setMode(false);
    postMessage("Cell volume selected.");
    m_volumeSelected = true;
    notifyObserver();
}

void SiWetEtchOperation::setDepth(double depth)
{
    m_depth = depth;
    m_depthAccepted = true;
}

void SiWetEtchOperation::cancel()
{
    cancelCanceled();
}

bool SiWetEtchOperation::ensureLattice(Model::Automaton::TotalVolume &volume)
{
    std::string problem;
    if (prepareSiLattice(volume, context()->processRecords(), &problem))
        return true;
    postMessage(problem);
    return false;
}

void SiWetEtchOperation::end()
{
    if (!m_volume || !m_depthAccepted) {
        cancel();
        return;
    }
    OperationContext &ctx = *context();
    Model::Automaton::TotalVolume &volume = *m_volume;
    QElapsedTimer timer;
    timer.start();
    if (!ensureLattice(volume)) {
        cancelSilently();
        return;
    }
    runEtch(volume, m_depth);
    qDebug() << "Total time to allocate and run " << timer.restart();
    volume.painter().rebuildAll();
    qDebug() << "Time to build rendered structrure " << timer.elapsed();
    ctx.processRecords().setLastOperation(volume.id(), operationId());
    ctx.processRecords().setSiLatticeStale(volume.id(), false);
    ctx.notifyUpdate();
    postMessage("Operation finished.");
    ctx.endOperation();
}

} // namespace Operations
} // namespace Core
