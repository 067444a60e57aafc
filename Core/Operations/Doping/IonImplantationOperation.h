#pragma once

#include "Core/Operations/ProcessOperation.h"

#include <cstdint>

namespace Core {
namespace Operations {

// Ion implantation: runs once the volume, the implantation depth, the
// annealing distance and the doped material have all arrived. Undoable
// like every step that changes cells.
class IonImplantationOperation : public ProcessOperation
{
public:
    explicit IonImplantationOperation(OperationContext *context);

    void setAnnealingDistance(float distance)
    {
        m_annealing = distance;
        m_annealingSet = true;
    }
    void setDepth(float depth)
    {
        m_depth = depth;
        m_depthSet = true;
    }
    void setMaterialId(std::uint32_t id)
    {
        m_material = id;
        m_materialSet = true;
    }
    // "<title>: Operation Canceled!"
    void cancel() override;
    void end() override;

    float annealingDistance() const { return m_annealing; }
    float depth() const { return m_depth; }
    std::uint32_t materialId() const { return m_material; }

private:
    float m_annealing = 0.0f;
    float m_depth = 0.0f;
    std::uint32_t m_material = 0;
    bool m_annealingSet = false;
    bool m_depthSet = false;
    bool m_materialSet = false;
};

} // namespace Operations
} // namespace Core
