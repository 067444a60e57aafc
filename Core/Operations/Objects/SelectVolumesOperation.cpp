#include "Core/Operations/Objects/SelectVolumesOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/CellVolumes.h"

namespace Core {
namespace Operations {

SelectVolumesOperation::SelectVolumesOperation(OperationContext *context)
    : ClassObserver(context, "Select volumes", BatchRunId)
{
}

void SelectVolumesOperation::execute()
{
    if (m_done)
        return;
    OperationContext &ctx = *context();
    m_volume = Model::Automaton::firstCellVolume(ctx.pickInput().selectedObjects());
    if (m_volume) {
        ctx.selectionManager().clear();
        ctx.selectionManager().setMode(false);
        ctx.notifyUpdate();
        postMessage("Cell volume selected.");
        m_done = true;
        end();
        return;
    }
    if (!m_answer.empty() && (m_answer[0] == 'n' || m_answer[0] == 'N')) {
        m_done = true;
        end();
        return;
    }
    postMessage("Select a cell volume and press Enter/Return. To start without a cell volume type N and press "
                "Enter/Return.");
    ctx.consoleInput().requestText(this, &m_answer);
    ctx.consoleInput().requestEnter(this);
    ctx.selectionManager().setMode(true);
}

void SelectVolumesOperation::end()
{
    if (!m_done)
        return;
    notifyObserver();
    context()->consoleInput().reset();
    context()->endOperation();
}

void SelectVolumesOperation::cancel()
{
    context()->consoleInput().reset();
    context()->abandonOperation();
}

} // namespace Operations
} // namespace Core
