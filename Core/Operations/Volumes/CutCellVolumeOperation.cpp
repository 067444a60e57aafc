#include "Core/Operations/Volumes/CutCellVolumeOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationId.h"
#include "Model/Automaton/TotalVolume.h"

namespace Core {
namespace Operations {

CutCellVolumeOperation::CutCellVolumeOperation(OperationContext *context)
    : ClassObserver(context, "Change Cut Planes", CutCellVolumeId)
{
}

void CutCellVolumeOperation::execute()
{
    if (m_step != SelectingVolume)
        return;
    m_volume = takeTargetVolume({"Cell volume selected.", "Select a cell volume and press Enter/Return."}, false);
    if (!m_volume)
        return;
    m_step = WaitingForLimits;
    notifyObserver();
}

bool CutCellVolumeOperation::getCutPlanes(Corner &lower, Corner &upper, Corner &size) const
{
    if (!m_volume)
        return false;
    const auto range = m_volume->viewOptions().drawRange;
    lower = range.lower;
    upper = range.upper;
    size = {int(m_volume->sizeX()), int(m_volume->sizeY()), int(m_volume->sizeZ())};
    return true;
}

void CutCellVolumeOperation::setCutPlanes(const Corner &lower, const Corner &upper, bool apply)
{
    if (m_step < WaitingForLimits || !m_volume)
        return;
    m_volume->painter().setDrawRange(lower, upper);
    m_previewApplied = apply;
    if (apply)
        show();
    m_step = LimitsSet;
}

// The view regenerates the volume's surfaces from its new draw range when
// it next draws; the cells themselves did not change.
void CutCellVolumeOperation::show()
{
    context()->notifyUpdate();
}

void CutCellVolumeOperation::end()
{
    if (m_step != LimitsSet) {
        cancel();
        return;
    }
    if (!m_previewApplied)
        show();
    postMessage("Cut planes changed.");
    context()->consoleInput().reset();
    context()->endOperation();
}

void CutCellVolumeOperation::cancel()
{
    cancelExclaimed();
}

} // namespace Operations
} // namespace Core
