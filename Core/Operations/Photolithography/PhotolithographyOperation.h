#pragma once

#include "Core/Operations/ProcessOperation.h"
#include "Model/Automaton/CellMask.h"

#include <cstdint>
#include <vector>

namespace Core {
namespace Operations {

// Photolithography: develops a photoresist film through a top and a bottom
// mask. The masks come and go while the options dialog is open; each one
// is laid over the volume at once, so the view shows it before the run.
class PhotolithographyOperation : public ProcessOperation
{
public:
    explicit PhotolithographyOperation(OperationContext *context);

    void setMaterialId(std::uint32_t id);
    // Store the mask and lay it over the volume (an empty mask takes it
    // away), and have the view redrawn.
    void setBottomMask(const std::vector<bool> &bits, int width, int height);
    void setTopMask(const std::vector<bool> &bits, int width, int height);

    // Develops once the resist is chosen; cancels otherwise. A side whose
    // mask was never set here develops through the mask the volume shows
    // (one left by a canceled operation), so that the run matches the view.
    void end() override;
    // "<title>: Operation Canceled!" The masks already laid over the volume
    // stay there until a development ends.
    void cancel() override;

    std::uint32_t materialId() const { return m_resist; }
    const Model::Automaton::CellMask &bottomMask() const { return m_bottomMask; }
    const Model::Automaton::CellMask &topMask() const { return m_topMask; }

private:
    using VolumeMaskSetter = void (Model::Automaton::TotalVolume::*)(const std::vector<bool> &, int, int);
    void layMask(Model::Automaton::CellMask &stored, bool &set, VolumeMaskSetter setOnVolume,
                 const std::vector<bool> &bits, int width, int height);

    std::uint32_t m_resist = 0;
    bool m_resistChosen = false;
    Model::Automaton::CellMask m_bottomMask;
    Model::Automaton::CellMask m_topMask;
    bool m_bottomMaskSet = false;
    bool m_topMaskSet = false;
};

} // namespace Operations
} // namespace Core
