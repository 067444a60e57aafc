#pragma once

#include "Core/Operations/MooreNeighborhood/MooreNeighborhoodProcesses.h"
#include "Core/Operations/ProcessOperation.h"

#include <cstdint>

namespace Core {
namespace Operations {

// What the Moore deposition and etching operations share: a material and a
// step count from the dialog, and a run once both arrived.
class MooreNeighborhoodOperation : public ProcessOperation
{
public:
    void setMaterialId(std::uint32_t id)
    {
        m_material = id;
        m_materialSet = true;
    }
    void setSteps(int count)
    {
        m_steps = count;
        m_stepsSet = true;
    }

    // Runs the worker once the volume, the material and the step count are
    // known; cancels otherwise.
    void end() override;

    std::uint32_t materialId() const { return m_material; }
    int steps() const { return m_steps; }

protected:
    MooreNeighborhoodOperation(OperationContext *context, const ProcessKind<MooreParameters> &descriptor,
                               int instance);

private:
    const ProcessKind<MooreParameters> &m_kind;
    std::uint32_t m_material = 0;
    int m_steps = 0;
    bool m_materialSet = false;
    bool m_stepsSet = false;
};

} // namespace Operations
} // namespace Core
