#include "Core/Operations/Photolithography/PhotolithographyOperation.h"

#include "Core/Operations/OperationContext.h"
#include "Core/Operations/Photolithography/PhotolithographyProcesses.h"
#include "Model/Automaton/TotalVolume.h"

#include <atomic>

namespace Core {
namespace Operations {

namespace {
std::atomic<int> instances{0};

Model::Automaton::CellMask maskOf(const std::vector<bool> &bits, int width, int height)
{
    Model::Automaton::CellMask mask;
    mask.bits = bits;
    mask.width = width;
    mask.height = height;
    return mask;
}
} // namespace

PhotolithographyOperation::PhotolithographyOperation(OperationContext *context)
    : ProcessOperation(context, photolithographyDescriptor(), instances.fetch_add(1))
{
}

void PhotolithographyOperation::setMaterialId(std::uint32_t id)
{
    m_resist = id;
    m_resistChosen = true;
    addInput();
}

void PhotolithographyOperation::setBottomMask(const std::vector<bool> &bits, int width, int height)
{
    layMask(m_bottomMask, m_bottomMaskSet, &Model::Automaton::TotalVolume::setBottomMask, bits, width, height);
}

void PhotolithographyOperation::setTopMask(const std::vector<bool> &bits, int width, int height)
{
    layMask(m_topMask, m_topMaskSet, &Model::Automaton::TotalVolume::setTopMask, bits, width, height);
}

void PhotolithographyOperation::layMask(Model::Automaton::CellMask &stored, bool &set, VolumeMaskSetter setOnVolume,
                                        const std::vector<bool> &bits, int width, int height)
{
    stored = maskOf(bits, width, height);
    set = true;
    if (!volume())
        return;
    ((*volume()).*setOnVolume)(bits, width, height);
    context()->notifyUpdate();
}

void PhotolithographyOperation::end()
{
    if (!volume() || !m_resistChosen) {
        cancel();
        return;
    }
    const Model::Automaton::TotalVolume &target = *volume();
    runProcess(photolithographyDescriptor().bind({m_resist, m_topMaskSet ? m_topMask : target.topMask(),
                                                  m_bottomMaskSet ? m_bottomMask : target.bottomMask()}));
}

void PhotolithographyOperation::cancel()
{
    cancelExclaimed();
}

} // namespace Operations
} // namespace Core
