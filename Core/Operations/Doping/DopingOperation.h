#pragma once

#include "Core/Operations/ProcessOperation.h"

#include <cstdint>

namespace Core {
namespace Operations {

// Doping from the free surfaces: runs once its depth and doped material
// have both arrived.
class DopingOperation : public ProcessOperation
{
public:
    explicit DopingOperation(OperationContext *context);

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
    void end() override;

    float depth() const { return m_depth; }
    std::uint32_t materialId() const { return m_material; }

private:
    float m_depth = 0.0f;
    std::uint32_t m_material = 0;
    bool m_depthSet = false;
    bool m_materialSet = false;
};

} // namespace Operations
} // namespace Core
