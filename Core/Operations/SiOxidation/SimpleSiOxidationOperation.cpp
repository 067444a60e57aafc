#include "Core/Operations/SiOxidation/SimpleSiOxidationOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/SiOxidation/SimpleSiOxidation.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};
} // namespace

SimpleSiOxidationOperation::SimpleSiOxidationOperation(OperationContext *context)
    : ProcessOperation(context, siOxidationDescriptor(), instances.fetch_add(1))
{
}

OxidationParameters SimpleSiOxidationOperation::parameters() const
{
    OxidationParameters p = m_parameters;
    if (!m_unitsSet)
        p.unitsPerMicron = 1.0;
    p.timeMode = !m_thicknessSet;
    return p;
}

void SimpleSiOxidationOperation::end()
{
    if (!volume() || (!m_thicknessSet && !m_timeSet)) {
        cancel();
        return;
    }
    const OxidationParameters p = parameters();
    if (!SimpleSiOxidation::oxidizes(*volume(), p.oxideCellUnits())) {
        postMessage("The oxide is thinner than one cell; nothing was oxidized.");
        cancelSilently();
        return;
    }
    runProcess(siOxidationDescriptor().bind(p));
}

} // namespace Operations
} // namespace Core
